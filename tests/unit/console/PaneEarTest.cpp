// The console's output pane as an ear.
#include <gtest/gtest.h>

#include "console/PaneEar.h"
#include "fakes/FakeDesktop.h"

using namespace varnok;
using fakes::FakeDesktop;
using fakes::FakeGame;

namespace {

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

}  // namespace
