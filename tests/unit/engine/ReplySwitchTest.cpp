// "!replyoff" and "!ReplyON": the player switches the automatic replies from the chat.
#include <gtest/gtest.h>

#include "commands/ChatCommands.h"
#include "engine/ReplySwitch.h"
#include "fakes/GameFixture.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

using Lines = std::vector<std::string>;
using Pauses = std::vector<std::uint32_t>;

struct ReplySwitch : ::testing::Test, GameFixture {
    void SetUp() override {
        startKnowingName();
        game.runsCommands = false;
    }
    void chat(const std::string& message) {
        mark();
        game.chat(message);
        turn();
    }
};

// The answer keeps the server's gap after the player's own chat line, which
// the server took too: the second's pause and a margin.
TEST_F(ReplySwitch, OffSaysTerminatedAfterASecondAndSilencesTheEventsUntilOn) {
    chat("!replyoff");
    EXPECT_EQ(sent(), Lines{"say ^1Varnok terminated"});
    EXPECT_EQ(paused(), (Pauses{1000, 200}));
    onLine("Kyle entered the game\r\n");
    EXPECT_EQ(sent(), Lines{});

    chat("!replyon");  // switches back with the announcement
    EXPECT_EQ(sent(), Lines{engine::kAnnouncement});
    EXPECT_EQ(paused(), (Pauses{1000, 200}));
    onLine("Kyle entered the game\r\n");
    EXPECT_EQ(sent(), Lines{engine::kAnnouncement});
}

TEST_F(ReplySwitch, EachDoesNothingWhenTheRepliesAreAlreadyThatWay) {
    chat("!ReplyON");
    EXPECT_EQ(sent(), Lines{});
    chat("!replyoff");
    chat("!replyoff again");
    EXPECT_EQ(sent(), Lines{});
}

TEST_F(ReplySwitch, AnotherPlayersMessageSwitchesNothing) {
    mark();
    game.print("Jan: Kyle: !replyoff\r\n");
    turn();
    EXPECT_EQ(sent(), Lines{});
    onLine("Kyle entered the game\r\n");  // still on
    EXPECT_EQ(sent(), Lines{engine::kAnnouncement});
}

// A chat line is no event, whatever it quotes: the command in it still runs.
TEST_F(ReplySwitch, OffRunsFromAChatLineThatQuotesAnEvent) {
    messages().Death = "oops";
    messages().DeathEn = 1;
    onLine("Kyle: !replyoff killed himself\r\n");
    EXPECT_EQ(sent(), Lines{"say ^1Varnok terminated"});
}

// Until the game has named the player, no one's line is the player's.
TEST_F(ReplySwitch, WhileTheNameIsUnknownNoReplyOnLineSwitchesOn) {
    chat("!replyoff");
    onLine("\"name\" is:\"\" default:\"Padawan\"\r\n");  // the game forgot the name
    clock.elapsedMs += 1000;                             // "/name" goes out at most once a second
    mark();
    game.print("Jan: !replyon\r\n: !replyon\r\n");
    turn();
    EXPECT_EQ(sent(), Lines{"/name"});
}

}  // namespace
