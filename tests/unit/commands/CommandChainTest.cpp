// The chat command chain inside the turn: which line counts as the local
// player's command, which command runs, and that only one runs a turn.
#include <gtest/gtest.h>

#include <algorithm>

#include "commands/Commands.h"
#include "fakes/GameFixture.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

using Lines = std::vector<std::string>;

struct CommandChain : ::testing::Test, GameFixture {
    void SetUp() override {
        startKnowingName();
        game.runsCommands = false;
        for (const char* name : {"Alpha.mp3", "Beta.mp3"}) {
            app->frmPlay.lstPlay->addItem(name);
            app->frmPlay.mSongs.push_back(std::string("C:\\Music\\") + name);
            media.playable[app->frmPlay.mSongs.back()] = 100.0;
        }
    }
    // The line's turn, and the yields after it where a started song opens.
    Lines chat(const std::string& message) {
        mark();
        game.chat(message);
        turn();
        settle();
        return sent();
    }
    Lines printed(const std::string& text) {
        onLine(text);
        return sent();
    }
};

bool holds(const Lines& lines, const std::string& prefix) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

// A word followed by more letters acts as the word.
TEST_F(CommandChain, EveryWordRunsItsCommandInAnyLetterCase) {
    EXPECT_EQ(chat("!commandsplease"), commands::helpLines());
    EXPECT_EQ(chat("!minimize"), Lines{"say ^1Minimized"});
    EXPECT_EQ(chat("!COMMANDS"), commands::helpLines());
    EXPECT_TRUE(holds(chat("!Now"), "say ^4 It is currently: ^1"));
    EXPECT_EQ(chat("!LOAD nothere"), Lines{"say ^1Error opening file ^7nothere"});
    EXPECT_EQ(chat("!PlayList nothere"), Lines{"say ^1Error opening playlist ^7nothere"});
    EXPECT_EQ(chat("!MINI"), Lines{"say ^1Minimized"});
    EXPECT_EQ(chat("!ListSongs").front(), "/clear");
    EXPECT_EQ(chat("!PLAY beta"), Lines{"say ^4Currently playing: ^3Beta.mp3"});
    EXPECT_EQ(chat("!Pause"), Lines{"say ^1Playback Paused"});
    EXPECT_EQ(chat("!play"), Lines{"say ^1Playback Resumed"});
    EXPECT_EQ(chat("!NEXT"), (Lines{"echo ^1Currently Playing: ^4Alpha.mp3",
                                    "say ^4Currently playing: ^3Alpha.mp3"}));
    EXPECT_EQ(chat("!Prev"), Lines{"say ^4Currently playing: ^3Beta.mp3"});
    chat("!VOL 12");
    EXPECT_EQ(app->frmPlay.sldVol->value(), 8);
    EXPECT_EQ(chat("!Stop"), Lines{"say ^1Playback Stopped"});
}

TEST_F(CommandChain, AnotherPlayersLineQuotingTheLocalNameRunsNothing) {
    EXPECT_EQ(printed("Jan: Kyle: !commands\r\n"), Lines{});
    EXPECT_EQ(printed("kyle: !commands\r\n"), Lines{});  // the name's case must match
}

// Printed twice before the answer's echo: nothing between the two.
TEST_F(CommandChain, TheSameLineTwiceRunsOnce) {
    EXPECT_EQ(printed("Kyle: !mini\r\nKyle: !mini\r\n"), Lines{"say ^1Minimized"});
    // Anything in between makes the line new again.
    printed("Jan: hi\r\n");
    EXPECT_EQ(chat("!mini"), Lines{"say ^1Minimized"});
}

TEST_F(CommandChain, PlaylistNeverReachesPlay) {
    const Lines sent = chat("!playlist Beta");
    EXPECT_EQ(sent, Lines{"say ^1Error opening playlist ^7Beta"});
    EXPECT_FALSE(app->frmPlay.mPlaying);
}

// Lines printed together are examined one by one and in order: another
// player's line before a command hides nothing, two commands both run, and a
// name that only begins with the player's runs nothing.
TEST_F(CommandChain, LinesPrintedTogetherRunOneAfterAnotherInTheirOrder) {
    EXPECT_EQ(printed("Jan: hello\r\nKyle: !commandsplease\r\n"), commands::helpLines());
    const Lines sent = printed("Kyle: !mini\r\nKylex: Kyle: !now\r\nKyle: !now\r\n");
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "say ^1Minimized");
    EXPECT_TRUE(holds({sent[1]}, "say ^4 It is currently: "));
    EXPECT_FALSE(desktop.window(game.gameWindow()).visible);
}

TEST_F(CommandChain, VolWithLettersRunsNothingElse) {
    EXPECT_EQ(chat("!vol loud"), Lines{});
    EXPECT_EQ(app->frmPlay.sldVol->value(), 5);
}

TEST_F(CommandChain, CommandsRunWhileTheRepliesAreOff) {
    EXPECT_EQ(chat("!replyoff"), Lines{"say ^1Varnok terminated"});
    EXPECT_EQ(chat("!mini"), Lines{"say ^1Minimized"});
}

// The game's answer with an empty name forgets the name.
TEST_F(CommandChain, NoCommandRunsWhileTheNameIsUnknown) {
    game.print("\"name\" is:\"\" default:\"Padawan\"\r\n");
    engine().turn();
    const Lines sent = chat("!mini");
    EXPECT_FALSE(holds(sent, "say ^1Minimized"));
    EXPECT_TRUE(desktop.window(game.gameWindow()).visible);
}

}  // namespace
