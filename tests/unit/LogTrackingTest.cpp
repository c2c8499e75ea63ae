// How the engine turns the growing output pane into new text: extraction,
// the change gate, clears and the name queries.
#include <gtest/gtest.h>

#include "fakes/GameFixture.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

using Lines = std::vector<std::string>;

std::string filler(std::size_t count, char first = 'a') {
    std::string s;
    for (std::size_t i = 0; i < count; ++i) s += static_cast<char>(first + i % 26);
    return s;
}

struct Extraction : ::testing::Test, GameFixture {
    void SetUp() override { game.runsCommands = false; }
};

TEST_F(Extraction, FirstTurnTakesTheLastCharactersAlreadyInThePane) {
    const std::string existing = filler(500);
    game.print(existing);
    startUp();
    EXPECT_TRUE(turn());
    EXPECT_EQ(state().newText, existing.substr(300));
    EXPECT_EQ(state().prevLen, 500);
    EXPECT_EQ(chatText().text, existing.substr(300));
}

TEST_F(Extraction, ShortTextIsTakenWhole) {
    startUp();
    game.print("Kyle entered the game\r\n");
    turn();
    EXPECT_EQ(state().newText, "Kyle entered the game\r\n");
    game.print("next\r\n");
    turn();
    EXPECT_EQ(state().newText, "next\r\n");
}

TEST_F(Extraction, ABurstOfFiveHundredHandsOnlyTheLastTwoHundred) {
    startUp();
    game.print("start\r\n");
    turn();
    const std::string burst = filler(500, 'A');
    game.print(burst);
    turn();
    EXPECT_EQ(state().newText.size(), 200u);
    EXPECT_EQ(state().newText, burst.substr(300));
    EXPECT_EQ(state().prevLen, 507);
}

TEST_F(Extraction, ATurnWithNothingNewKeepsTheTextAndIdles) {
    startUp();
    game.print("once\r\n");
    EXPECT_TRUE(turn());
    EXPECT_FALSE(turn());
    EXPECT_EQ(state().newText, "once\r\n");
}

TEST_F(Extraction, TheSameTextTwiceRunsTheRecognisersOnlyOnce) {
    startUp();
    state().playerName = "Kyle^7";
    messages().limit = "gg";
    messages().Limiten = 1;
    onLine("Timelimit hit.\r\n");
    EXPECT_EQ(sent(), Lines{"say gg"});
    EXPECT_TRUE(onLine("Timelimit hit.\r\n"));  // extracted, but not handled again
    EXPECT_EQ(sent(), Lines{});
    EXPECT_EQ(state().lastText, "Timelimit hit.\r\n");
}

TEST_F(Extraction, AnotherTextReachesTheRecognisersAgain) {
    startUp();
    state().playerName = "Kyle^7";
    messages().limit = "gg";
    messages().Limiten = 1;
    onLine("Timelimit hit.\r\n");
    onLine("x\r\n");
    onLine("Timelimit hit.\r\n");
    EXPECT_EQ(sent(), Lines{"say gg"});
}

// A game that stalls (a map load) answers neither the measurement nor the
// read for a while. Taking that for a cleared pane would cut the last 200
// characters out again and answer old lines a second time.
TEST_F(Extraction, AStallAcrossTurnsIsNoClearAndRepeatsNothing) {
    startUp();
    state().playerName = "Kyle^7";
    setTemplates("%s vs %d", "", "");
    onLine("Kyle^7 has become engaged in a duel with Jan^7!\r\n");
    EXPECT_EQ(sent(), Lines{"say Kyle^7 vs Jan^7"});

    DesktopWindow& pane = desktop.window(game.outputPane());
    mark();
    pane.hung = true;
    game.print("Jan^7: hi\r\n");
    EXPECT_FALSE(turn());
    EXPECT_FALSE(turn());
    pane.hung = false;
    EXPECT_TRUE(turn());
    EXPECT_FALSE(turn());
    EXPECT_EQ(state().newText, "Jan^7: hi\r\n");  // from where it was, once
    EXPECT_EQ(sent(), Lines{});

    pane.hangsAfterLength = true;  // measured, but the text does not come
    game.print("Rosh^7: gg\r\n");
    EXPECT_FALSE(turn());
    EXPECT_EQ(state().newText, "Jan^7: hi\r\n");
    pane.hangsAfterLength = false;
    EXPECT_TRUE(turn());
    EXPECT_EQ(state().newText, "Rosh^7: gg\r\n");
    EXPECT_EQ(sent(), Lines{});
}

struct Clearing : ::testing::Test, GameFixture {};

TEST_F(Clearing, AFullPaneWithAClearDueIsClearedAndSkipped) {
    startKnowingName();
    state().clearDue = true;
    game.print(filler(32700 - game.pane().size() - 16) + "Timelimit hit.\r\n");
    messages().Limiten = 1;
    EXPECT_TRUE(turn());
    EXPECT_EQ(sent(), Lines{"/clear"});
    EXPECT_FALSE(state().clearDue);
    EXPECT_EQ(state().prevLen, 0);
    EXPECT_EQ(state().curLen, 0);
}

TEST_F(Clearing, AFullPaneRestartsFromItsLengthAfterTheClear) {
    startKnowingName();
    game.runsCommands = false;  // the game ignores the clear
    game.print(filler(32700 - game.pane().size()));
    state().clearDue = true;
    turn();
    EXPECT_EQ(sent(), Lines{"/clear"});
    EXPECT_EQ(state().prevLen, 32700);
    EXPECT_EQ(state().curLen, 32700);
    // Still full: asked again once a second, not on every turn.
    turn();
    EXPECT_EQ(sent(), Lines{"/clear"});
    clock.elapsedMs += 1000;
    turn();
    EXPECT_EQ(sent(), (Lines{"/clear", "/clear"}));
}

// Nothing new reaches a full pane, so it is cleared at once instead of
// leaving Varnok deaf until the minute's clear.
TEST_F(Clearing, AFullPaneIsClearedAtOnceWithoutAClearDue) {
    startKnowingName();
    const std::string before = state().newText;
    messages().Limiten = 1;
    game.print(filler(32700 - game.pane().size() - 16) + "Timelimit hit.\r\n");
    EXPECT_TRUE(turn());
    EXPECT_EQ(sent(), Lines{"/clear"});
    EXPECT_EQ(state().newText, before);  // the full pane's text is skipped
    onLine("Timelimit hit.\r\n");
    EXPECT_EQ(sent(), Lines{"say "});

    clock.elapsedMs += 60000;  // the minute's clear is due as before
    turn();
    EXPECT_TRUE(state().clearDue);
}

TEST_F(Clearing, AClearBySomeoneElseIsNoticedOneTurnLater) {
    startKnowingName();
    game.print("a long line of text that fills the pane\r\n");
    turn();
    game.clearPane();
    game.print("new\r\n");
    const std::string kept = state().newText;
    EXPECT_FALSE(turn());  // measures the shorter pane, takes nothing
    EXPECT_EQ(state().newText, kept);
    EXPECT_TRUE(turn());  // shrink noticed: the pane's text from its start
    EXPECT_EQ(state().newText, "new\r\n");
    EXPECT_EQ(state().prevLen, 5);
    EXPECT_EQ(sent(), Lines{});
}

TEST_F(Clearing, AShrunkPaneSendsTheDueClear) {
    startKnowingName();
    game.print("some text\r\n");
    turn();
    game.clearPane();
    turn();
    state().clearDue = true;
    mark();
    turn();
    EXPECT_EQ(sent(), Lines{"/clear"});
    EXPECT_FALSE(state().clearDue);
    EXPECT_EQ(state().prevLen, 0);
}

TEST_F(Clearing, ADueClearWaitsForAMomentAndNeverGoesOutAlone) {
    startKnowingName();
    state().clearDue = true;
    onLine("text\r\n");
    turn();
    EXPECT_EQ(sent(), Lines{});
    EXPECT_TRUE(state().clearDue);
}

TEST_F(Clearing, LocatingThePaneSendsTheDueClear) {
    startKnowingName();
    game.closeConsole();
    turn();
    state().clearDue = true;
    game.openConsole();
    mark();
    turn();
    EXPECT_EQ(state().outputPane, game.outputPane());
    ASSERT_FALSE(sent().empty());
    EXPECT_EQ(sent().front(), "/clear");  // and no "/name" on that turn
    EXPECT_FALSE(state().clearDue);
}

struct NameQueries : ::testing::Test, GameFixture {
    void SetUp() override { game.runsCommands = false; }
};

// The game answers on a later frame; asking on every turn meanwhile would
// only fill its console.
TEST_F(NameQueries, SlashNameGoesOutOnceASecondWhileTheNameIsUnknown) {
    startUp();
    mark();
    turn();
    turn();
    EXPECT_EQ(sent(), Lines{"/name"});
    clock.elapsedMs += 999;
    turn();
    EXPECT_EQ(sent(), Lines{"/name"});
    clock.elapsedMs += 1;
    turn();
    turn();
    EXPECT_EQ(sent(), (Lines{"/name", "/name"}));
    state().playerName = "Kyle^7";
    mark();
    clock.elapsedMs += 1000;
    turn();
    EXPECT_EQ(sent(), Lines{});
}

TEST_F(NameQueries, NoSlashNameOnTheTurnThatLocatesThePane) {
    game.closeConsole();
    startUp();
    game.openConsole();
    mark();
    turn();
    EXPECT_EQ(sent(), Lines{});
    turn();
    EXPECT_EQ(sent(), Lines{"/name"});
}

TEST_F(NameQueries, TheEngineLoadHintAsksForTheNameEveryTurnItStaysInTheText) {
    startUp();
    state().playerName = "Kyle^7";
    onLine("----- Loading dll file ui\r\n");
    EXPECT_EQ(sent(), Lines{"name"});
    mark();
    turn();
    turn();
    EXPECT_EQ(sent(), (Lines{"name", "name"}));
    onLine("other\r\n");
    EXPECT_EQ(sent(), Lines{});
}

struct ConsoleGone : ::testing::Test, GameFixture {};

TEST_F(ConsoleGone, TheNameIsForgottenAndLearnedAgain) {
    startKnowingName();
    EXPECT_EQ(state().playerName, player);
    game.closeConsole();
    turn();
    EXPECT_EQ(state().playerName, "");
    game.openConsole();
    turn();  // locates the pane, takes the fresh pane's text
    turn();  // "/name" answered by the game
    turn();
    EXPECT_EQ(state().playerName, player);
    EXPECT_EQ(status().text, "[ Current Player: Kyle^7  OS: Windows 10 Build 19045 ]");
}

}  // namespace
