#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

#include "fakes/AppFixture.h"
#include "fakes/GameFixture.h"
#include "ports/Failures.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

struct StartUp : ::testing::Test, AppFixture {};

TEST_F(StartUp, WithoutTheGameTheStatusShowsThePlatformAndNameGoesNowhere) {
    startUp();
    EXPECT_EQ(status().text, "[ Windows 10 - 19045 ]");
    EXPECT_FALSE(link().present());
    EXPECT_EQ(paneRead(), 0u);
    EXPECT_EQ(desktop.setTextCalls, 0);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "Saves"));
}

TEST_F(StartUp, WithTheGameRunningFindsThePaneAndAsksForTheName) {
    FakeGame game(desktop);
    startUp();
    EXPECT_TRUE(link().present());
    EXPECT_EQ(paneRead(), game.outputPane());
    EXPECT_EQ(game.commands, (std::vector<std::string>{"name", "se_language", "fs_basepath",
                                                       "fs_game", "logfile", "fs_homepath"}));
}

TEST_F(StartUp, AnExistingSavesFolderIsNoProblem) {
    std::filesystem::create_directory(folder.path() / "Saves");
    std::filesystem::path marker = folder.path() / "Saves" / "keep.vnk";
    { std::ofstream(marker) << "x"; }
    startUp();
    EXPECT_TRUE(std::filesystem::exists(marker));
}

TEST_F(StartUp, WindowsAreCreatedHiddenAndThePairIsCentredWithThePlayerUnderTheMainWindow) {
    startUp();
    const ui::Frame main = mainWindow().frame();
    const ui::Frame player = playerWindow().frame();
    EXPECT_EQ(main.left, (1024 - main.width) / 2);
    EXPECT_EQ(main.top, (768 - main.height - player.height) / 2);
    EXPECT_TRUE(mainWindow().visible());
    EXPECT_FALSE(playerWindow().visible());
    EXPECT_FALSE(fake<FakeWindow>(app->mnuCustomize.window).visible());
    EXPECT_EQ(player.width, main.width);
    EXPECT_EQ(player.left, main.left);
    EXPECT_EQ(player.top, main.top + main.height);
}

TEST_F(StartUp, TheMenuBarCarriesTheCaptionsInOrder) {
    const auto& menus = fake<FakeWindow>(app->frmMain.window).menus;
    ASSERT_EQ(menus.size(), 3u);
    std::vector<std::string> captions;
    for (const auto& menu : menus) {
        captions.push_back(menu.caption);
        for (const auto& item : menu.items) captions.push_back("  " + item.caption);
    }
    EXPECT_EQ(captions,
              (std::vector<std::string>{
                  "File", "  Save", "  Open", "  Start Game...", "  Exit", "Customize Messages",
                  "  Greeting", "  Self inflicting death", "  On Self Enter", "  Time/Frag Limit",
                  "Playlist", "  Save Playlist", "  Open Playlist", "  Add Folder", "  Add File",
                  "  Clear List", "  Media Keys"}));
}

struct Loop : ::testing::Test, AppFixture {};

// What was known of the game goes with it; the due clear stays for the next.
TEST_F(Loop, AbsentConsoleGivesTheShortTurn) {
    FakeGame game(desktop, "Kyle");
    startUp();
    engine().turn();
    ASSERT_EQ(shownPlayer(), "Kyle");
    app->frmMain.tmrClear_Timer();
    game.closeConsole();
    EXPECT_FALSE(engine().turn());
    EXPECT_EQ(status().text,
              "[ Current Player: <JKA is not running>  OS: Windows 10 Build 19045 ]");
    EXPECT_FALSE(backButton().visible());
    EXPECT_EQ(paneRead(), 0u);
    EXPECT_EQ(link().paneEar().length(), 0);
    game.openConsole();
    clock.elapsedMs += engine::TurnPace::kSearchWait.count();
    const std::size_t typed = game.commands.size();
    engine().turn();
    ASSERT_GT(game.commands.size(), typed);
    EXPECT_EQ(game.commands[typed], "/clear");
}

TEST_F(Loop, GameStartedLaterIsFoundAndGoneAgainIsNoticed) {
    startUp();
    app->frmMain.engine.turn();
    EXPECT_FALSE(backButton().visible());

    // Without a console the desktop is searched at the slower pace only.
    FakeGame game(desktop);
    app->frmMain.engine.turn();
    EXPECT_FALSE(backButton().visible());
    clock.elapsedMs += engine::TurnPace::kSearchWait.count();
    app->frmMain.engine.turn();
    EXPECT_TRUE(backButton().visible());
    EXPECT_TRUE(link().present());
    EXPECT_EQ(paneRead(), game.outputPane());

    game.closeConsole();
    app->frmMain.engine.turn();
    EXPECT_FALSE(backButton().visible());
    EXPECT_EQ(paneRead(), 0u);

    game.openConsole();
    clock.elapsedMs += engine::TurnPace::kSearchWait.count();
    app->frmMain.engine.turn();
    EXPECT_TRUE(backButton().visible());
    EXPECT_EQ(paneRead(), game.outputPane());
}

// The console is kept from turn to turn while its pane answers, with no
// search and no caption read; one that closed and opened again between two
// turns is found with its new pane within the turn, and what was known of the
// old one is forgotten; one that closed is noticed within the turn.
TEST_F(Loop, TheKeptConsoleIsDroppedWhenItCloses) {
    FakeGame game(desktop);
    startUp();
    app->frmMain.engine.turn();
    ASSERT_EQ(shownPlayer(), "Padawan");
    const int searches = desktop.findCalls;
    const int captions = desktop.captionCalls;
    app->frmMain.engine.turn();
    app->frmMain.engine.turn();
    EXPECT_EQ(desktop.findCalls, searches);
    EXPECT_EQ(desktop.captionCalls, captions);

    const console::WindowHandle oldPane = game.outputPane();
    game.closeConsole();
    game.openConsole();
    game.print("fresh\r\n");
    std::vector<std::string> examined;
    engine().watchLines([&](const std::string& line) { examined.push_back(line); });
    app->frmMain.engine.turn();
    EXPECT_TRUE(link().present());
    EXPECT_NE(game.outputPane(), oldPane);
    EXPECT_EQ(paneRead(), game.outputPane());
    EXPECT_EQ(examined, std::vector<std::string>{"fresh\r\n"});
    const std::size_t typed = game.commands.size();
    app->frmMain.engine.turn();  // the old console's player is not this one's
    ASSERT_GT(game.commands.size(), typed);
    EXPECT_EQ(game.commands[typed], "/name");

    app->frmMain.engine.turn();
    const int captionsBefore = desktop.captionCalls;
    game.closeConsole();
    app->frmMain.engine.turn();
    EXPECT_EQ(desktop.captionCalls, captionsBefore);
    EXPECT_FALSE(link().present());
    EXPECT_EQ(paneRead(), 0u);
    EXPECT_FALSE(backButton().visible());
    EXPECT_EQ(status().text,
              "[ Current Player: <JKA is not running>  OS: Windows 10 Build 19045 ]");
}

// A game run as administrator refuses every message of a program that is
// not: the status line says so in place of the player and nothing more is
// typed into that console; the game started anew is tried again.
TEST_F(Loop, AGameThatRefusesVarnokIsToldInTheStatusLineAndTriedAgainWhenFoundAnew) {
    FakeGame game(desktop, "Kyle");
    desktop.window(game.inputLine()).refuses = true;
    desktop.window(game.outputPane()).refuses = true;
    startUp();
    for (int i = 0; i < 3; ++i) app->frmMain.engine.turn();
    EXPECT_EQ(status().text, "[ JKA runs as administrator: start Varnok as administrator too ]");
    const int typed = desktop.setTextCalls;
    for (int i = 0; i < 3; ++i) app->frmMain.engine.turn();
    EXPECT_EQ(desktop.setTextCalls, typed);

    game.closeConsole();
    game.openConsole();
    for (int i = 0; i < 4; ++i) app->frmMain.engine.turn();
    EXPECT_EQ(status().text, "[ Current Player: Kyle  OS: Windows 10 Build 19045 ]");
}

// A console whose pane gives no answer (the game stalls) is not taken for
// gone: it is checked by its caption instead, and kept.
TEST_F(Loop, AStalledConsoleIsKeptByItsCaption) {
    FakeGame game(desktop);
    startUp();
    app->frmMain.engine.turn();
    desktop.window(game.outputPane()).hung = true;
    app->frmMain.engine.turn();
    const int captions = desktop.captionCalls;
    app->frmMain.engine.turn();
    EXPECT_GT(desktop.captionCalls, captions);
    EXPECT_TRUE(link().present());
    EXPECT_EQ(paneRead(), game.outputPane());
    EXPECT_TRUE(backButton().visible());
}

// The greeting's and the clear's timers tick in the turn's yield: a greeting
// and a clear go out at the first line and the first moment after the tick.
TEST_F(Loop, TimersSetTheirFlagsOnlyInsideAYield) {
    FakeGame game(desktop, "Kyle");
    startUp();
    engine().turn();
    app->frmMain.messages.Greet = "hi %d";
    app->frmMain.messages.GreetEn = 1;
    game.print("Jan entered the game\r\n");
    engine().turn();
    const std::size_t typed = game.commands.size();
    clock.elapsedMs = 15000;
    game.print("Rosh entered the game\r\n");
    engine().turn();
    EXPECT_EQ(std::vector<std::string>(game.commands.begin() + typed, game.commands.end()),
              std::vector<std::string>{"say hi Rosh"});
    clock.elapsedMs = 60000;
    engine().turn();  // the greeting's echo
    game.clearPane();
    engine().turn();
    EXPECT_EQ(game.commands.back(), "/clear");
}

TEST_F(Loop, RunEndsFromInsideAYieldAndIdlesWhenNothingIsNew) {
    startUp();
    int turns = 0;
    std::function<void()> countdown = [&] {
        if (++turns == 3)
            app->frmMain.mnuExit_Click();
        else
            toolkit.duringNextYield(countdown);
    };
    toolkit.duringNextYield(countdown);
    app->frmMain.engine.run();
    EXPECT_TRUE(toolkit.ended());
    EXPECT_EQ(turns, 3);
    EXPECT_EQ(toolkit.idles, (std::vector<unsigned>{300, 300}));
}

// Fast turns while the console is busy, slower ones once it has been quiet
// for the busy spell, and fast at once again when new text comes.
TEST_F(Loop, TheIntervalFollowsHowBusyTheConsoleIs) {
    FakeGame game(desktop);
    startUp();
    int turns = 0;
    std::function<void()> script = [&] {
        ++turns;
        if (turns == 2) game.print("one\r\n");
        if (clock.elapsedMs > 1000 && game.pane().find("two") == std::string::npos)
            game.print("two\r\n");
        if (clock.elapsedMs > 1100)
            app->frmMain.mnuExit_Click();
        else
            toolkit.duringNextYield(script);
    };
    toolkit.duringNextYield(script);
    app->frmMain.engine.run();

    const std::vector<unsigned>& idles = toolkit.idles;
    ASSERT_FALSE(idles.empty());
    EXPECT_EQ(idles.front(), 10u);  // the pane's text at start is new
    unsigned fastAfterOne = 0, slowAfterOne = 0;
    std::size_t i = 0;
    const unsigned fast = engine::TurnPace::kBusyWait.count();
    const unsigned quiet = engine::TurnPace::kQuietWait.count();
    EXPECT_GT(quiet, fast);
    EXPECT_LE(quiet, 50u);  // the first line after quiet still comes quickly
    for (; i < idles.size() && idles[i] == fast; ++i) fastAfterOne += fast;
    for (; i < idles.size() && idles[i] == quiet; ++i) slowAfterOne += quiet;
    EXPECT_GE(fastAfterOne, 300u);
    EXPECT_LT(fastAfterOne, 400u);
    EXPECT_GT(slowAfterOne, 0u);
    ASSERT_LT(i, idles.size());
    EXPECT_EQ(idles[i], 10u);  // "two" made it busy again
    EXPECT_TRUE(std::all_of(idles.begin() + i, idles.end(), [](unsigned ms) { return ms == 10; }));
}

TEST_F(Loop, AFailingTurnIsWrittenDownSkippedAndTheLoopGoesOn) {
    startUp();
    std::vector<std::string> written;
    engine::setFailureSink([&](const std::string& line) { written.push_back(line); });
    int turns = 0;
    std::function<void()> countdown = [&] {
        ++turns;
        if (turns == 3) {
            app->frmMain.mnuExit_Click();
            return;
        }
        toolkit.duringNextYield(countdown);
        if (turns == 1) throw std::runtime_error("a handler broke");
    };
    toolkit.duringNextYield(countdown);
    app->frmMain.engine.run();
    engine::setFailureSink(nullptr);
    EXPECT_TRUE(toolkit.ended());
    EXPECT_EQ(turns, 3);
    EXPECT_EQ(written, std::vector<std::string>{"Varnok: a turn skipped: a handler broke\n"});
}

TEST_F(Loop, ClosingTheMainWindowEndsTheProgram) {
    startUp();
    mainWindow().close();
    EXPECT_TRUE(toolkit.ended());
}

using Lines = std::vector<std::string>;

std::string filler(std::size_t count) {
    return std::string(count, 'f');
}

struct Clearing : ::testing::Test, GameFixture {};

// "/clear" empties only the game's own console, never this pane, and the pane
// replaces itself when full: the clear goes out when the minute's clear is
// due and no more often, and a full pane's text is examined like any other.
TEST_F(Clearing, AFullPaneGetsOnlyTheDueClearAndItsTextIsExamined) {
    startKnowingName();
    messages().limit = "gg";
    messages().Limiten = 1;
    game.print(filler(32700 - game.pane().size() - 18) + "\r\nTimelimit hit.\r\n");
    EXPECT_TRUE(turn());
    EXPECT_EQ(sent(), Lines{"say gg"});
    mark();
    clock.elapsedMs += 1000;
    turn();
    EXPECT_EQ(sent(), Lines{});

    app->frmMain.tmrClear_Timer();
    game.print("x\r\n");
    turn();
    EXPECT_EQ(sent(), Lines{"/clear"});
    game.print("y\r\n");  // full still, but the clear is done
    mark();
    turn();
    EXPECT_EQ(sent(), Lines{});
}

TEST_F(Clearing, ADueClearWaitsForAMomentNeverGoesOutAloneAndAShrunkPaneSendsIt) {
    startKnowingName();
    app->frmMain.tmrClear_Timer();
    onLine("some text\r\n");
    turn();
    EXPECT_EQ(sent(), Lines{});
    game.clearPane();
    mark();
    turn();
    EXPECT_EQ(sent(), Lines{"/clear"});
    EXPECT_EQ(link().paneEar().length(), 0);
    onLine("more\r\n");
    game.clearPane();
    mark();
    turn();
    EXPECT_EQ(sent(), Lines{});  // done, until the minute's timer makes it due again
}

TEST_F(Clearing, LocatingThePaneSendsTheDueClear) {
    startKnowingName();
    game.closeConsole();
    turn();
    app->frmMain.tmrClear_Timer();
    game.openConsole();
    mark();
    turn();
    EXPECT_EQ(paneRead(), game.outputPane());
    EXPECT_EQ(sent(), Lines{"/clear"});  // and no "/name" on that turn
}

struct ConsoleGone : ::testing::Test, GameFixture {};

TEST_F(ConsoleGone, TheNameIsForgottenAndLearnedAgain) {
    startKnowingName();
    EXPECT_EQ(shownPlayer(), player);
    game.closeConsole();
    turn();
    EXPECT_EQ(shownPlayer(), "");
    game.openConsole();
    turn();  // locates the pane, takes the fresh pane's text
    turn();  // "/name" answered by the game
    turn();
    EXPECT_EQ(shownPlayer(), player);
    EXPECT_EQ(status().text, "[ Current Player: Kyle  OS: Windows 10 Build 19045 ]");
}

}  // namespace
