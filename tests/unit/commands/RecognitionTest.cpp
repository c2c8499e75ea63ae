// How a chat command is told apart from any other console text.
#include <gtest/gtest.h>

#include "commands/ChatCommands.h"
#include "engine/EventReplies.h"
#include "fakes/GameFixture.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

TEST(CommandRecognition, TheNameMatchesExactlyAndTheWordInAnyCase) {
    EXPECT_TRUE(commands::isCommand("Kyle: !NEXT\r\n", "Kyle", "!next"));
    EXPECT_TRUE(commands::isCommand("Kyle: !nextsong\r\n", "Kyle", "!next"));
    EXPECT_FALSE(commands::isCommand("kyle: !next\r\n", "Kyle", "!next"));
    EXPECT_FALSE(commands::isCommand("Jan: Kyle: !next\r\n", "Kyle", "!next"));
    EXPECT_FALSE(commands::isCommand("Kyle: say !next\r\n", "Kyle", "!next"));
    EXPECT_FALSE(commands::isCommand("Kylex: Kyle: !next\r\n", "Kyle", "!next"));
    EXPECT_FALSE(commands::isCommand("x: !ReplyON\r\n", "", "!replyon"));
}

}  // namespace
