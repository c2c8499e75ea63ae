// Typing into the game through the chat layer and the console window's
// input line.
#include <gtest/gtest.h>

#include "console/ConsoleLink.h"
#include "console/WindowMouth.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDesktop.h"
#include "text/CodePage.h"

using namespace varnok;
using fakes::FakeDesktop;
using fakes::FakeGame;

namespace {

struct ConsoleLinkTest : ::testing::Test {
    FakeDesktop desktop;
    fakes::FakeClock clock;
    console::ConsoleLink link{clock};
    console::WindowMouth mouth{desktop};
    // Lines go into `console` from now on.
    void typeInto(console::WindowHandle console) {
        mouth.aim(console);
        link.speakThrough(&mouth, true);
    }
};

TEST_F(ConsoleLinkTest, WithoutAGameALineIsDroppedWithoutATrace) {
    link.SendConsoleCommand("say hi");
    EXPECT_EQ(desktop.setTextCalls, 0);
}

TEST_F(ConsoleLinkTest, CommandGoesIntoTheInputLineWithACarriageReturnEvenWhenEmpty) {
    FakeGame game(desktop);
    typeInto(game.console());
    link.SendConsoleCommand("say ^1Maximized");
    link.SendConsoleCommand("");
    EXPECT_EQ(game.commands, (std::vector<std::string>{"say ^1Maximized", ""}));
    EXPECT_EQ(desktop.window(game.inputLine()).charsReceived, (std::vector<unsigned char>{13, 13}));
}

TEST_F(ConsoleLinkTest, ACommandIsTypedOnlyUpToItsFirstLineBreak) {
    FakeGame game(desktop);
    typeInto(game.console());
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
    typeInto(game.console());
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
    auto console = desktop.addTopLevel("c", "Jedi Knight Academy MP Console");
    typeInto(console);
    auto button = desktop.addChild(console, "Button", "copy");
    auto input = desktop.addChild(console, "Edit", "");
    link.SendConsoleCommand("name");
    EXPECT_TRUE(desktop.window(button).charsReceived.empty());
    EXPECT_TRUE(desktop.window(input).charsReceived.empty());
    EXPECT_EQ(desktop.window(input).text, "");
}

TEST_F(ConsoleLinkTest, EveryEmptyChildBeforeTheFirstCaptionedOneGetsAReturn) {
    auto console = desktop.addTopLevel("c", "Jedi Knight Academy MP Console");
    typeInto(console);
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

TEST_F(ConsoleLinkTest, AHungInputLineDropsTheCommand) {
    FakeGame game(desktop);
    typeInto(game.console());
    desktop.window(game.inputLine()).hung = true;
    link.SendConsoleCommand("say hi");
    EXPECT_TRUE(game.commands.empty());
}

}  // namespace
