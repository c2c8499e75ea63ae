#include <gtest/gtest.h>

#include "console/ConsoleLink.h"
#include "fakes/FakeDesktop.h"
#include "text/CodePage.h"

using namespace varnok;
using fakes::FakeDesktop;
using fakes::FakeGame;

namespace {

struct ConsoleLinkTest : ::testing::Test {
    FakeDesktop desktop;
    console::ConsoleLink link{desktop};
};

TEST_F(ConsoleLinkTest, FindsTheConsoleByTitleAndTheFifthChildAsThePane) {
    FakeGame game(desktop);
    EXPECT_EQ(link.FindConsole(), game.console());
    EXPECT_EQ(link.findConfiguredConsole("", console::kConsoleTitle), game.console());
    EXPECT_EQ(link.FindOutputPane(game.console()), game.outputPane());
    EXPECT_EQ(link.findGameWindow(), game.gameWindow());
    // The configured lookup honours a class when given.
    EXPECT_EQ(link.findConfiguredConsole("OtherClass", console::kConsoleTitle), 0u);
    EXPECT_EQ(link.findConfiguredConsole(console::kConsoleClass, console::kConsoleTitle),
              game.console());
}

// Only every few searches reads every caption on the desktop: a console of
// the game's own class is found by any search, one of another class by the
// next full one.
TEST_F(ConsoleLinkTest, AConsoleOfAnotherClassIsFoundByTheNextFullSearch) {
    EXPECT_EQ(link.FindConsole(), 0u);  // the first search is a full one
    const auto other = desktop.addTopLevel("OtherClass", console::kConsoleTitle);
    int searches = 1;
    while (link.FindConsole() == 0 && searches < 10) ++searches;
    EXPECT_EQ(searches, console::ConsoleLink::kFullSearchEvery);
    desktop.remove(other);
    link.FindConsole();  // the kept one is gone: no answer, so a search
    FakeGame game(desktop);
    EXPECT_EQ(link.FindConsole(), game.console());
}

TEST_F(ConsoleLinkTest, AbsentConsoleGivesZeroEverywhere) {
    EXPECT_EQ(link.FindConsole(), 0u);
    EXPECT_EQ(link.FindOutputPane(0), 0u);
    EXPECT_EQ(link.findGameWindow(), 0u);
    EXPECT_EQ(link.ReadTextLength(0), 0);
    EXPECT_EQ(link.ReadWindowText(0), console::kNoTextSentinel);
    link.SendConsoleCommand("say hi");  // dropped without a trace
    EXPECT_EQ(desktop.setTextCalls, 0);
}

TEST_F(ConsoleLinkTest, AConsoleWithFewerThanFiveChildrenHasNoPane) {
    auto console = desktop.addTopLevel("c", console::kConsoleTitle);
    for (int i = 0; i < 4; ++i) desktop.addChild(console, "Edit", "");
    EXPECT_EQ(link.FindOutputPane(console), 0u);
    desktop.addChild(console, "Edit", "anything");
    EXPECT_NE(link.FindOutputPane(console), 0u);
}

TEST_F(ConsoleLinkTest, TwoConsolesWithTheSameTitleUseTheFirstReported) {
    auto first = desktop.addTopLevel("a", console::kConsoleTitle);
    desktop.addTopLevel("b", console::kConsoleTitle);
    EXPECT_EQ(link.FindConsole(), first);
}

TEST_F(ConsoleLinkTest, CommandGoesIntoTheInputLineWithACarriageReturnEvenWhenEmpty) {
    FakeGame game(desktop);
    link.SendConsoleCommand("say ^1Maximized");
    link.SendConsoleCommand("");
    EXPECT_EQ(game.commands, (std::vector<std::string>{"say ^1Maximized", ""}));
    EXPECT_EQ(desktop.window(game.inputLine()).charsReceived, (std::vector<unsigned char>{13, 13}));
}

TEST_F(ConsoleLinkTest, ACommandIsTypedOnlyUpToItsFirstLineBreak) {
    FakeGame game(desktop);
    game.runsCommands = false;
    link.SendConsoleCommand("say Kyle^7 vs Jan^7!\r\n]say gg");
    link.SendConsoleCommand("echo one\ntwo");
    link.SendConsoleCommand("say a\rb");
    link.SendConsoleCommand("\r\nsay hidden");
    EXPECT_EQ(game.commands,
              (std::vector<std::string>{"say Kyle^7 vs Jan^7!", "echo one", "say a", ""}));
}

// The game copies each typed line into a 256-byte buffer: a longer line
// overruns it. Every line is cut to 255 characters, never between the two
// bytes of a double-byte character.
TEST_F(ConsoleLinkTest, NoLineLongerThan255CharactersIsTyped) {
    FakeGame game(desktop);
    game.runsCommands = false;
    const std::string name(300, 'n');
    link.SendConsoleCommand("echo ^1Currently Playing: ^4" + console::outside(name));
    link.SendConsoleCommand(console::CommandLine(std::string(255, 'a')));
    ASSERT_EQ(game.commands.size(), 2u);
    EXPECT_EQ(game.commands[0], "echo ^1Currently Playing: ^4" + name.substr(0, 227));
    EXPECT_EQ(game.commands[1], std::string(255, 'a'));

    // Bytes from 0x81 lead a character in this double-byte rule.
    const auto leads = [](unsigned char byte) { return byte >= 0x81; };
    const std::string wide = "\x82\xA0";
    EXPECT_EQ(text::cutAtCharacter("a" + wide + wide, 4, leads), "a" + wide);
    EXPECT_EQ(text::cutAtCharacter("ab" + wide + wide, 4, leads), "ab" + wide);
    // A trail byte that looks like a lead byte is still a trail byte.
    EXPECT_EQ(text::cutAtCharacter("\x82\x82\x82\x82z", 3, leads), "\x82\x82");
    EXPECT_EQ(text::cutAtCharacter("a\x82", 5, leads), "a\x82");  // a broken last byte stays
    EXPECT_EQ(text::cutAtCharacter(std::string(300, '\x82'), 255, leads).size(), 254u);
}

TEST_F(ConsoleLinkTest, AFirstChildWithACaptionReceivesNothing) {
    auto console = desktop.addTopLevel("c", console::kConsoleTitle);
    auto button = desktop.addChild(console, "Button", "copy");
    auto input = desktop.addChild(console, "Edit", "");
    link.SendConsoleCommand("name");
    EXPECT_TRUE(desktop.window(button).charsReceived.empty());
    EXPECT_TRUE(desktop.window(input).charsReceived.empty());
    EXPECT_EQ(desktop.window(input).text, "");
}

TEST_F(ConsoleLinkTest, EveryEmptyChildBeforeTheFirstCaptionedOneGetsAReturn) {
    auto console = desktop.addTopLevel("c", console::kConsoleTitle);
    auto first = desktop.addChild(console, "Edit", "");
    auto second = desktop.addChild(console, "Edit", "");
    desktop.window(second).text = "old";
    auto captioned = desktop.addChild(console, "Button", "copy");
    auto after = desktop.addChild(console, "Edit", "");
    link.SendConsoleCommand("name");
    EXPECT_EQ(desktop.window(first).text, "name");
    EXPECT_EQ(desktop.window(first).charsReceived, std::vector<unsigned char>{13});
    EXPECT_EQ(desktop.window(second).text, "");  // the pending text was used up
    EXPECT_EQ(desktop.window(second).charsReceived, std::vector<unsigned char>{13});
    EXPECT_TRUE(desktop.window(captioned).charsReceived.empty());
    EXPECT_TRUE(desktop.window(after).charsReceived.empty());
}

// An empty window reads as the sentinel; a hung one gives no answer, and one
// that stops answering after its length gives no text.
TEST_F(ConsoleLinkTest, ReadingGivesTheLengthAndTheTextWhileThePaneAnswers) {
    FakeGame game(desktop);
    fakes::DesktopWindow& pane = desktop.window(game.outputPane());
    EXPECT_EQ(link.ReadWindowText(game.outputPane()), console::kNoTextSentinel);
    game.print("0123456789");
    EXPECT_EQ(link.ReadTextLength(game.outputPane()), 10);
    EXPECT_EQ(link.ReadWindowText(game.outputPane()), "0123456789");
    pane.hangsAfterLength = true;
    EXPECT_EQ(link.ReadTextLength(game.outputPane()), 10);
    EXPECT_EQ(link.ReadWindowText(game.outputPane()), std::nullopt);
    pane.hung = true;
    EXPECT_EQ(link.ReadTextLength(game.outputPane()), std::nullopt);
    EXPECT_EQ(link.ReadWindowText(game.outputPane()), std::nullopt);
}

TEST_F(ConsoleLinkTest, AHungInputLineDropsTheCommand) {
    FakeGame game(desktop);
    desktop.window(game.inputLine()).hung = true;
    link.SendConsoleCommand("say hi");
    EXPECT_TRUE(game.commands.empty());
}

TEST(ConsoleBytes, TextToBytesEndsWithAZeroAndKeepsHighBytes) {
    EXPECT_EQ(console::TextToBytes("a\xAE"), (std::vector<unsigned char>{'a', 0xAE, 0}));
    EXPECT_EQ(console::TextToBytes(""), std::vector<unsigned char>{0});
}

}  // namespace
