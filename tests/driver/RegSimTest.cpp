// Registration of the simulated card, read back the way the adapter dialog
// reads the network cards.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "afx/AfxSetup.h"
#include "tools/regsim/RegisterSimCard.h"

namespace
{

// The subkeys whose "ServiceName" is the simulated card's, with their
// descriptions.
std::vector<std::string> SimulatedCardDescriptions()
{
    std::vector<std::string> found;
    HKEY cards;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNetworkCardsKey, 0, KEY_READ, &cards) != ERROR_SUCCESS)
    {
        return found;
    }
    for (DWORD i = 0;; ++i)
    {
        char name[512];
        DWORD nameSize = sizeof name;
        if (::RegEnumKeyExA(cards, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY card;
        if (::RegOpenKeyExA(cards, name, 0, KEY_READ, &card) != ERROR_SUCCESS)
            continue;
        char value[512];
        DWORD size = sizeof value;
        if (::RegQueryValueExA(card, "ServiceName", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                               &size) == ERROR_SUCCESS &&
            std::string(value) == "KesuSim")
        {
            size = sizeof value;
            if (::RegQueryValueExA(card, "Description", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                                   &size) == ERROR_SUCCESS)
            {
                found.push_back(value);
            }
        }
        ::RegCloseKey(card);
    }
    ::RegCloseKey(cards);
    return found;
}

TEST(RegisterSimulatedCard, ListsTheCardOnceWithItsSpanishDescription)
{
    ASSERT_EQ(RegisterSimulatedCard(), ERROR_SUCCESS);
    ASSERT_EQ(RegisterSimulatedCard(), ERROR_SUCCESS) << "running it again";
    const std::vector<std::string> found = SimulatedCardDescriptions();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], "Tarjeta inal\xE1mbrica simulada (Kesu)");
}

}  // namespace
