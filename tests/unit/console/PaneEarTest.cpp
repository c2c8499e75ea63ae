// The console's output pane as an ear: what is new in it, taken line by line
// and examined in order, whatever the pane does (it replaces itself, is
// cleared, stalls, or gets text between the length and the reading).
#include <gtest/gtest.h>

#include "console/PaneEar.h"
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

// A hung pane gives no answer, and one that stops answering after its length
// gives no text; neither is taken for a pane that is gone.
TEST(PaneEarTest, MeasuresAndReadsWhileThePaneAnswers) {
    FakeDesktop desktop;
    FakeGame game(desktop);
    console::PaneEar ear(desktop, [] { return true; });
    ear.aim(game.outputPane());
    fakes::DesktopWindow& pane = desktop.window(game.outputPane());
    EXPECT_EQ(ear.read(0), "");
    game.print("0123456789");
    EXPECT_EQ(ear.measure().length, 10);
    EXPECT_EQ(ear.read(10), "0123456789");
    pane.hangsAfterLength = true;
    EXPECT_EQ(ear.measure().presence, console::Presence::Answered);
    EXPECT_EQ(ear.read(10), std::nullopt);
    pane.hung = true;
    EXPECT_EQ(ear.measure().length, std::nullopt);
    EXPECT_EQ(ear.measure().presence, console::Presence::Silent);
    desktop.remove(game.console());
    EXPECT_EQ(ear.measure().presence, console::Presence::Gone);
}

struct Extraction : ::testing::Test, GameFixture {
    void SetUp() override { game.runsCommands = false; }
};

// What a console already holds when Varnok first reads it was printed before
// Varnok looked: only its last lines, those within its last 200 characters,
// are examined, so a long history of old commands is not run again.
TEST_F(Extraction, FirstTurnExaminesOnlyTheLastLinesAlreadyInThePane) {
    const std::string existing = "\"name\" is:\"Kyle\"\r\nKyle: !mini\r\n" + filler(500) +
                                 "\r\n\"name\" is:\"Kyle\"\r\nKyle: !now\r\n";
    game.print(existing);
    startUp();
    mark();
    EXPECT_TRUE(turn());
    EXPECT_EQ(shownPlayer(), "Kyle");
    ASSERT_EQ(sent().size(), 2u);
    EXPECT_EQ(sent()[0], "/name");  // asked before the answer was read
    EXPECT_EQ(sent()[1].rfind("say ^4 It is currently: ", 0), 0u);
    EXPECT_EQ(link().paneEar().length(), static_cast<std::int32_t>(existing.size()));
}

TEST_F(Extraction, ShortTextIsTakenWholeAndATurnWithNothingNewKeepsItAndIdles) {
    startUp();
    game.print("Kyle entered the game\r\n");
    EXPECT_TRUE(turn());
    EXPECT_FALSE(turn());
    EXPECT_EQ(newText(), "Kyle entered the game\r\n");
    game.print("next\r\n");
    turn();
    EXPECT_EQ(newText(), "next\r\n");
}

// However much arrives between two turns (a burst, a map change), each line
// is examined on its own and none is skipped; the window shows the latest 200
// characters, and a line longer than that is handed on by its end.
TEST_F(Extraction, EveryLineOfABurstIsExaminedInOrder) {
    startKnowingName();
    messages().limit = "gg";
    messages().Limiten = 1;
    std::string burst = "Timelimit hit.\r\n";
    for (int i = 0; i < 30; ++i) burst += "Jan: " + filler(20) + "\r\n";
    burst += filler(300) + "\r\n";
    burst += "Kyle: !mini\r\n";
    game.print(burst);
    std::string shownWhenExamined;
    onExamine = [&](const std::string&) {
        if (shownWhenExamined.empty()) shownWhenExamined = chatText().text;
    };
    EXPECT_TRUE(turn());
    EXPECT_EQ(sent(), (Lines{"say gg", "say ^1Minimized"}));
    EXPECT_EQ(shownWhenExamined, burst.substr(burst.size() - 200));

    game.print(filler(300) + "\r\n");
    turn();
    EXPECT_EQ(newText(), (filler(300) + "\r\n").substr(102));
}

// A line printed in pieces (a kill message comes in two or three) waits for
// its end; one whose end never comes is taken after a short wait.
TEST_F(Extraction, ALineInPiecesWaitsForItsEnd) {
    startKnowingName();
    setTemplates("%s vs %d", "%s beat %d", "");
    onLine("Kyle has become engaged in a duel with Jan!\r\n");
    mark();
    game.print("Jan");
    turn();
    game.print(" was sabered by ");
    turn();
    EXPECT_EQ(sent(), Lines{});
    game.print("Kyle\r\n");
    turn();
    EXPECT_EQ(sent(), Lines{"say Kyle beat Jan"});

    mark();
    game.print("Kyle: !mini");
    turn();
    EXPECT_EQ(sent(), Lines{});
    clock.elapsedMs += 300;
    turn();
    EXPECT_EQ(sent(), Lines{"say ^1Minimized"});
}

// The game's pane replaces itself: after about 32 000 characters the next
// print takes the whole pane, and Copy leaves all selected so the next print
// does the same. Everything in a replaced pane was printed after it, however
// long it is, so a command there runs.
TEST_F(Extraction, APaneReplacedOrClearedIsExaminedFromItsStart) {
    startKnowingName();
    for (int i = 0; i < 40; ++i) game.print(filler(798) + "\r\n");
    turn();
    mark();
    game.print("Kyle: !mini\r\n" + filler(2000) + "\r\n");  // replaces the pane
    ASSERT_LT(game.pane().size(), static_cast<std::size_t>(link().paneEar().length()));
    turn();
    EXPECT_EQ(sent(), Lines{"say ^1Minimized"});
    turn();  // reads the answer's echo

    mark();
    game.pane() = "Kyle: !now\r\n" + filler(5000) + "\r\n";  // longer than before
    turn();
    ASSERT_EQ(sent().size(), 1u);
    EXPECT_EQ(sent()[0].rfind("say ^4 It is currently: ", 0), 0u);

    // The Clear button: what follows it is taken from the pane's start, at once.
    mark();
    game.clearPane();
    game.print("new\r\n");
    EXPECT_TRUE(turn());
    EXPECT_EQ(newText(), "new\r\n");
    EXPECT_EQ(link().paneEar().length(), 5);
    EXPECT_EQ(sent(), Lines{});
}

// A handler that runs between the measurement and the reading may print; what
// it printed is taken once, with the rest, never twice and never lost.
TEST_F(Extraction, TextPrintedBetweenMeasuringAndReadingIsTakenOnce) {
    startKnowingName();
    messages().limit = "gg";
    messages().Limiten = 1;
    DesktopWindow& pane = desktop.window(game.outputPane());
    pane.beforeRead = [&](DesktopWindow& w) {
        w.text += "Kyle: !mini\r\n";
        pane.beforeRead = nullptr;
    };
    onLine("Timelimit hit.\r\n");
    turn();
    turn();
    EXPECT_EQ(sent(), (Lines{"say gg", "say ^1Minimized"}));
}

// On a double-byte code page the pane's length counts characters while its
// text comes in bytes: the newest bytes must not be cut off.
TEST_F(Extraction, ADoubleBytePaneLosesNoneOfItsNewestText) {
    startKnowingName();
    desktop.window(game.outputPane()).countsCharacters = true;
    game.print(std::string(40, '\x82') + "\r\n");  // 20 two-byte characters
    onLine("Kyle: !vol 12\r\n");
    EXPECT_EQ(app->frmPlay.sldVol->value(), 8);  // the slider's place for loudness 12
}

// The reply's echo comes between a line and a later one: the same line twice
// in a row is one printed before the reply went out.
TEST_F(Extraction, TheSameLineTwiceRunsTheRecognisersOnlyOnce) {
    startUp();
    knowName();
    messages().limit = "gg";
    messages().Limiten = 1;
    examined.clear();
    EXPECT_TRUE(onLine("Timelimit hit.\r\nTimelimit hit.\r\n"));
    EXPECT_EQ(examined.size(), 2u);  // both extracted, the second not handled again
    EXPECT_EQ(sent(), Lines{"say gg"});
    EXPECT_EQ(newText(), "Timelimit hit.\r\n");
    onLine("x\r\nTimelimit hit.\r\n");  // another line between makes it new again
    EXPECT_EQ(sent(), Lines{"say gg"});
}

// A game that stalls (a map load) answers neither the measurement nor the
// read for a while. Taking that for a cleared pane would cut the last 200
// characters out again and answer old lines a second time; taking the echo
// it prints late for a dropped say would say the line twice.
TEST_F(Extraction, AStallAcrossTurnsIsNoClearAndRepeatsNothing) {
    startUp();
    knowName();
    setTemplates("%s vs %d", "", "");
    game.runsCommands = false;
    game.echoesSays = false;
    onLine("Kyle has become engaged in a duel with Jan!\r\n");
    EXPECT_EQ(sent(), Lines{"say Kyle vs Jan"});

    // A stalled game answers no message to any of its windows.
    DesktopWindow& pane = desktop.window(game.outputPane());
    DesktopWindow& console = desktop.window(game.console());
    mark();
    pane.hung = console.hung = true;
    game.print("Kyle: Kyle vs Jan\r\nJan: hi\r\n");
    EXPECT_FALSE(turn());
    later(2500);  // past the echo's deadline
    EXPECT_FALSE(turn());
    pane.hung = console.hung = false;
    EXPECT_TRUE(turn());
    EXPECT_FALSE(turn());
    EXPECT_EQ(newText(), "Jan: hi\r\n");  // from where it was, once
    EXPECT_EQ(sent(), Lines{});

    pane.hangsAfterLength = true;  // measured, but the text does not come
    game.print("Rosh: gg\r\n");
    EXPECT_FALSE(turn());
    EXPECT_EQ(newText(), "Jan: hi\r\n");
    pane.hangsAfterLength = false;
    EXPECT_TRUE(turn());
    EXPECT_EQ(newText(), "Rosh: gg\r\n");
    EXPECT_EQ(sent(), Lines{});
}

// A reply's pause does not blind the engine: the player's chat printed
// meanwhile is read as it shows, moves the reply back by the server's gap
// from that moment, and is examined after the line that paused, once.
TEST_F(Extraction, LinesPrintedDuringAPauseMoveTheSayBackAndAreExaminedAfterIt) {
    startKnowingName();
    examined.clear();
    clock.at(clock.elapsedMs + 500, [&] { game.chat("!mini"); });
    onLine("Kyle: !now\r\n");
    ASSERT_EQ(sent().size(), 2u);
    EXPECT_EQ(sent()[0].rfind("say ^4 It is currently: ", 0), 0u);
    EXPECT_EQ(sent()[1], "say ^1Minimized");
    EXPECT_EQ(paused(), (std::vector<std::uint32_t>{1000, 700, 600, 1000}));
    ASSERT_GE(examined.size(), 2u);
    EXPECT_EQ(examined[0], "Kyle: !now\r\n");
    EXPECT_EQ(examined[1], "Kyle: !mini\r\n");
}

// A say the game never printed back was dropped by the server: a later turn
// types it once more, spaced, and never a third time.
TEST_F(Extraction, ADroppedSayIsTypedOnceMoreAndOnlyOnce) {
    startKnowingName();
    game.echoesSays = false;
    onLine("Kyle: !now\r\n");
    ASSERT_EQ(sent().size(), 1u);
    const std::string answer = sent()[0];
    later(1000);
    mark();
    turn();
    EXPECT_EQ(sent(), Lines{});
    later(1000);
    turn();
    EXPECT_EQ(sent(), Lines{answer});
    later(5000);
    turn();
    EXPECT_EQ(sent(), Lines{answer});
}

}  // namespace
