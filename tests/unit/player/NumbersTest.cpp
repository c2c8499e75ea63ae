// The player's number rules: rounding and the written durations.
#include "PlayerFixture.h"
#include "player/Numbers.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

TEST(NumberRules, HalvesRoundToTheEvenNeighbour) {
    EXPECT_EQ(player::roundHalfEven(2.5), 2.0);
    EXPECT_EQ(player::roundHalfEven(3.5), 4.0);
    EXPECT_EQ(player::roundHalfEven(215.43), 215.0);
    EXPECT_EQ(player::roundHalfEven(-0.5), 0.0);
    EXPECT_EQ(player::roundToHundredths(215.4349), 215.43);
    EXPECT_EQ(player::roundToHundredths(0.125), 0.12);
}

TEST(NumberRules, DurationsAreWrittenWithoutTrailingZeros) {
    EXPECT_EQ(player::formatSeconds(215.43), "215.43");
    EXPECT_EQ(player::formatSeconds(215.4), "215.4");
    EXPECT_EQ(player::formatSeconds(215.0), "215");
    EXPECT_EQ(player::formatSeconds(0.0), "0");
    EXPECT_EQ(player::formatSeconds(9.996), "10");
}

}  // namespace
