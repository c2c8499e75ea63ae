// The game's log as Varnok's ears: the log is turned on and read instead of
// the pane, and the pane takes over again when the log stops.
#include <gtest/gtest.h>

#include "fakes/GameFixture.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

using Lines = std::vector<std::string>;

struct ReadingTheLog : ::testing::Test, GameFixture {
    void SetUp() override {
        game.cvars = {{"se_language", "english"},
                      {"fs_basepath", folder.text()},
                      {"fs_game", ""},
                      {"fs_homepath", folder.text()},
                      {"logfile", "0"}};
        game.logPath = folder.path() / "base" / "qconsole.log";
    }
    // Start-up and turns until Varnok reads the log (or has decided not to).
    void startReading() {
        startKnowingName();
        for (int i = 0; i < 4; ++i) turn();
        mark();
    }
    console::EarChoice::Stage stage() { return link().earChoice().stage(); }
    // A line the pane shows that the log never gets.
    void paneOnly(const std::string& line) { game.pane() += line; }
};

TEST_F(ReadingTheLog, ALogThatIsOffIsTurnedOnReadAndTurnedOffAtTheEnd) {
    startReading();
    ASSERT_EQ(stage(), console::EarChoice::Stage::Reading);
    EXPECT_EQ(wakeups.folders, std::vector<std::filesystem::path>{folder.path() / "base"});
    EXPECT_EQ(wakeups.processOf, game.console());
    const auto typed = game.commands;
    EXPECT_NE(std::find(typed.begin(), typed.end(), "logfile 2"), typed.end());

    game.print("Kyle^7: ^2!mini\n");
    turn();
    EXPECT_EQ(sent(), Lines{"say ^1Minimized"});
    later();
    mark();
    paneOnly("Kyle: !now\r\n");  // the pane is not what Varnok reads now
    turn();
    EXPECT_EQ(sent(), Lines{});

    app->frmMain.mnuExit_Click();
    EXPECT_EQ(game.commands.back(), "logfile 0");
}

// The player set "logfile 0": the pane shows game lines the log does not get.
// Within a few seconds the pane is read again; the command printed meanwhile
// runs once, and so does the next.
TEST_F(ReadingTheLog, ALogTurnedOffMidGameHandsOverToThePane) {
    startReading();
    ASSERT_EQ(stage(), console::EarChoice::Stage::Reading);
    game.cvars["logfile"] = "0";
    game.chat("!mini");
    for (int i = 0; i < 3 && stage() == console::EarChoice::Stage::Reading; ++i) {
        later(1500);
        turn();
    }
    EXPECT_EQ(stage(), console::EarChoice::Stage::Pane);
    EXPECT_EQ(sent(), Lines{"say ^1Minimized"});
    later();
    mark();
    game.chat("!now");
    turn();
    ASSERT_EQ(sent().size(), 1u);
    EXPECT_EQ(sent()[0].rfind("say ^4 It is currently: ", 0), 0u);
    app->frmMain.mnuExit_Click();
    EXPECT_NE(game.commands.back(), "logfile 0");  // the player's choice stays
}

// Typed at the game's own console, "logfile 0" shows in the log before the
// log stops: the pane is read from that turn on. While the log is read the
// game is asked nothing, and the log's text tells when the pane is full: the
// moment for the due clear.
TEST_F(ReadingTheLog, WhatTheLogSaysStandsInForThePane) {
    startReading();
    app->frmMain.tmrClear_Timer();
    const int asked = desktop.lengthCalls;
    later(1000);
    game.print(std::string(200, '-') + "\n");
    turn();
    EXPECT_EQ(sent(), Lines{});
    game.print(std::string(32700, '-') + "\n");
    turn();
    EXPECT_EQ(sent(), Lines{"/clear"});
    EXPECT_EQ(desktop.lengthCalls, asked);

    game.print("]/seta logfile \"0\"\n");
    game.cvars["logfile"] = "0";
    game.chat("!mini");
    mark();
    turn();
    EXPECT_EQ(stage(), console::EarChoice::Stage::Pane);
    EXPECT_EQ(sent(), Lines{"say ^1Minimized"});
}

// A game that did not answer the pane's first reading (its thread busy at
// Varnok's start) printed its answers before it was read: taken for old
// text, they are lost, and the questions go again.
TEST_F(ReadingTheLog, AnswersLostBeforeThePanesFirstReadingAreAskedAgain) {
    desktop.window(game.outputPane()).hung = true;
    startUp();
    game.print(std::string(300, '.') + "\r\n");  // the answers drop out of the first reading
    desktop.window(game.outputPane()).hung = false;
    for (int i = 0; i < 3; ++i) turn();
    ASSERT_EQ(stage(), console::EarChoice::Stage::Undecided);
    later(5000);
    for (int i = 0; i < 4; ++i) turn();
    EXPECT_EQ(stage(), console::EarChoice::Stage::Reading);
}

// Lines the pane did not give before the log was found come from the log
// first: the pane shows them too, and that is no sign of a stopped log.
TEST_F(ReadingTheLog, TheLogsFirstLinesAreNoSignOfAStoppedLog) {
    startKnowingName();
    for (int i = 0; i < 4 && stage() != console::EarChoice::Stage::Looking; ++i) turn();
    ASSERT_EQ(stage(), console::EarChoice::Stage::Looking);
    desktop.window(game.outputPane()).hung = true;  // the pane misses what follows
    game.chat("!mini");
    mark();
    turn();
    ASSERT_EQ(stage(), console::EarChoice::Stage::Reading);
    desktop.window(game.outputPane()).hung = false;
    EXPECT_EQ(sent(), Lines{"say ^1Minimized"});
    mark();
    for (int i = 0; i < 3; ++i) {  // the log silent, the pane is looked at
        later(2500);
        turn();
    }
    EXPECT_EQ(stage(), console::EarChoice::Stage::Reading);
    EXPECT_EQ(sent(), Lines{});
}

// A reply's long pause leaves the log silent while the pane gets the typed
// line's echo: the lines the pane shows that the log gave are no sign of a
// stopped log, and none is handled twice.
TEST_F(ReadingTheLog, APauseWithASilentLogIsNoStoppedLog) {
    startReading();
    messages().limit = "gg";
    messages().Limiten = 1;
    clock.randoms = {0.99};
    game.runsCommands = game.echoesSays = false;  // nothing comes back yet
    game.print("Timelimit hit.\n");
    turn();
    ASSERT_EQ(sent(), Lines{"say gg"});
    paneOnly("]say gg\r\n");
    later(2500);
    turn();
    EXPECT_EQ(stage(), console::EarChoice::Stage::Reading);
}

// A log written through a buffer gets its lines late; a player who wants the
// pane gets the pane: no question about the log, nothing turned on.
TEST_F(ReadingTheLog, ABufferedLogOrThePaneOptionKeepsThePane) {
    game.cvars["logfile"] = "1";
    startReading();
    EXPECT_EQ(stage(), console::EarChoice::Stage::Pane);
    for (const std::string& line : game.commands) EXPECT_NE(line, "logfile 2");
    game.chat("!mini");
    turn();
    EXPECT_EQ(sent(), Lines{"say ^1Minimized"});

    game.closeConsole();
    turn();
    game.openConsole();
    game.cvars["logfile"] = "0";
    game.commands.clear();
    makeApp(true);
    startReading();
    EXPECT_EQ(stage(), console::EarChoice::Stage::Undecided);
    for (const std::string& line : game.commands) EXPECT_NE(line, "logfile");
}

}  // namespace
