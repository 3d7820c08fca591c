// Values are read into fixed buffers and terminated here: the registry keeps
// a string as written, terminator or not.
#include "driver/NetworkCards.h"

#include "afx/AfxSetup.h"

namespace
{

constexpr char kNetworkCards[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";

bool ReadString(HKEY key, const char* name, std::string* value)
{
    char text[512];
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    text[size] = '\0';
    *value = text;
    return true;
}

}  // namespace

std::vector<std::string> NetworkCardDescriptions(const char* serviceName)
{
    std::vector<std::string> found;
    HKEY cards;
    if (serviceName == nullptr ||
        ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNetworkCards, 0, KEY_READ, &cards) != ERROR_SUCCESS)
        return found;
    for (DWORD i = 0;; ++i)
    {
        char name[512];
        DWORD nameSize = sizeof name;
        if (::RegEnumKeyExA(cards, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY card;
        if (::RegOpenKeyExA(cards, name, 0, KEY_READ, &card) != ERROR_SUCCESS)
            continue;
        std::string service;
        std::string description;
        if (ReadString(card, "ServiceName", &service) && ::lstrcmpiA(service.c_str(), serviceName) == 0 &&
            ReadString(card, "Description", &description))
            found.push_back(description);
        ::RegCloseKey(card);
    }
    ::RegCloseKey(cards);
    return found;
}
