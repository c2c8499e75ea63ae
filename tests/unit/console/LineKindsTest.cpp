// What kind of line the game printed.
#include <gtest/gtest.h>

#include "console/LineKinds.h"

using namespace varnok::console;

namespace {

TEST(LineKinds, OnlyThePlayersOwnLinesInTheirThreeFormsAreHis) {
    EXPECT_EQ(ownChat("Kyle: hi", "Kyle")->text, "hi");
    EXPECT_EQ(ownChat("Kyle: hi", "Kyle")->target, ChatTarget::Everyone);
    EXPECT_EQ(ownChat("(Kyle): hi", "Kyle")->target, ChatTarget::Team);
    EXPECT_EQ(ownChat("[Kyle]: hi", "Kyle")->text, "hi");
    EXPECT_FALSE(ownChat("Kylex: hi", "Kyle"));
    EXPECT_FALSE(ownChat("Jan: Kyle: hi", "Kyle"));
    EXPECT_FALSE(ownChat(": hi", ""));
}

// A line that holds ": " anywhere is spoken, a line typed at the console is
// shown after "]", and only the rest is the game's own.
TEST(LineKinds, EveryLineHasOneKind) {
    EXPECT_EQ(kindOf("]say Kyle entered the game", "Kyle"), LineKind::Typed);
    EXPECT_EQ(kindOf("(Kyle): !mini", "Kyle"), LineKind::OwnChat);
    EXPECT_EQ(kindOf("Jan: Kyle entered the game", "Kyle"), LineKind::OtherChat);
    EXPECT_EQ(kindOf("Kyle: hi", ""), LineKind::OtherChat);  // no name yet: no one's own
    EXPECT_EQ(kindOf("Timelimit hit.: gg", "Kyle"), LineKind::OtherChat);
    EXPECT_EQ(kindOf("Kyle entered the game", "Kyle"), LineKind::GamePrint);
    EXPECT_EQ(spokenText("[Admin] Kyle: one two"), "one two");
    EXPECT_EQ(spokenText("]say a: b"), std::nullopt);
}

}  // namespace
