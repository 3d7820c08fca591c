// Registration of the simulated card, read back by its service name as the
// card layer looks cards up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx/AfxSetup.h"
#include "driver/NetworkCards.h"
#include "tools/regsim/RegisterSimCard.h"

TEST(RegisterSimulatedCard, ListsTheCardOnceWithItsSpanishDescription)
{
    ASSERT_EQ(RegisterSimulatedCard(), ERROR_SUCCESS);
    ASSERT_EQ(RegisterSimulatedCard(), ERROR_SUCCESS) << "running it again";
    const std::vector<std::string> found = NetworkCardDescriptions("KesuSim");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], "Tarjeta inal\xE1mbrica simulada (Kesu)");
}
