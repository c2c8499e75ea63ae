// Finding the game's console window, its output pane and the game's window.
#include <gtest/gtest.h>

#include "console/ConsoleWindows.h"
#include "fakes/FakeDesktop.h"

using namespace varnok;
using fakes::FakeDesktop;
using fakes::FakeGame;

namespace {

struct ConsoleWindowsTest : ::testing::Test {
    FakeDesktop desktop;
    console::ConsoleWindows windows{desktop};
    console::WindowHandle byTitle() {
        return windows.findConfiguredConsole("", console::kConsoleTitle);
    }
};

TEST_F(ConsoleWindowsTest, FindsTheConsoleByTitleAndTheFifthChildAsThePane) {
    FakeGame game(desktop);
    EXPECT_EQ(byTitle(), game.console());
    EXPECT_EQ(windows.FindOutputPane(game.console()), game.outputPane());
    EXPECT_EQ(windows.findGameWindow(), game.gameWindow());
    // The configured lookup honours a class when given.
    EXPECT_EQ(windows.findConfiguredConsole("OtherClass", console::kConsoleTitle), 0u);
    EXPECT_EQ(windows.findConfiguredConsole(console::kConsoleClass, console::kConsoleTitle),
              game.console());
}

// Only every few searches reads every caption on the desktop: a console of
// the game's own class is found by any search, one of another class by the
// next full one.
TEST_F(ConsoleWindowsTest, AConsoleOfAnotherClassIsFoundByTheNextFullSearch) {
    EXPECT_EQ(byTitle(), 0u);  // the first search is a full one
    EXPECT_EQ(windows.FindOutputPane(0), 0u);
    EXPECT_EQ(windows.findGameWindow(), 0u);
    const auto other = desktop.addTopLevel("OtherClass", console::kConsoleTitle);
    int searches = 1;
    while (byTitle() == 0 && searches < 10) ++searches;
    EXPECT_EQ(searches, console::ConsoleWindows::kFullSearchEvery);
    desktop.remove(other);
    byTitle();  // the kept one is gone: no answer, so a search
    FakeGame game(desktop);
    EXPECT_EQ(byTitle(), game.console());
}

// Of two consoles with the title the first reported is taken; one with
// fewer than five children has no pane.
TEST_F(ConsoleWindowsTest, TheFirstConsoleReportedIsTakenAndItsFifthChildIsThePane) {
    auto console = desktop.addTopLevel("c", console::kConsoleTitle);
    desktop.addTopLevel("b", console::kConsoleTitle);
    EXPECT_EQ(byTitle(), console);
    for (int i = 0; i < 4; ++i) desktop.addChild(console, "Edit", "");
    EXPECT_EQ(windows.FindOutputPane(console), 0u);
    desktop.addChild(console, "Edit", "anything");
    EXPECT_NE(windows.FindOutputPane(console), 0u);
}

TEST(ConsoleBytes, TextToBytesEndsWithAZeroAndKeepsHighBytes) {
    EXPECT_EQ(console::TextToBytes("a\xAE"), (std::vector<unsigned char>{'a', 0xAE, 0}));
    EXPECT_EQ(console::TextToBytes(""), std::vector<unsigned char>{0});
}

}  // namespace
