#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

#include "fakes/AppFixture.h"
#include "ports/Failures.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

struct MainWindow : ::testing::Test, AppFixture {};

TEST_F(MainWindow, PlayerFollowsTheMainWindowUnderOrBeside) {
    startUp();
    mainWindow().moveTo(100, 50);
    app->frmMain.engine.turn();
    const ui::Frame main = mainWindow().frame();
    EXPECT_EQ(playerWindow().frame().left, 100);
    EXPECT_EQ(playerWindow().frame().top, 50 + main.height);

    fake<FakeCheckBox>(app->frmMain.chkPlaylist).click();  // unticked: to the right
    EXPECT_EQ(playerWindow().frame().left, 100 + main.width);
    EXPECT_EQ(playerWindow().frame().top, 50);
    const int width = playerWindow().frame().width;

    fake<FakeCheckBox>(app->frmMain.chkPlaylist).click();  // ticked again: under
    EXPECT_EQ(playerWindow().frame().left, 100);
    EXPECT_EQ(playerWindow().frame().top, 50 + main.height);
    EXPECT_EQ(playerWindow().frame().width, width);  // never resized
    EXPECT_FALSE(playerWindow().visible());          // moved while hidden
}

TEST_F(MainWindow, PlaylistButtonToggles) {
    startUp();
    auto& button = fake<FakeButton>(app->frmMain.cmdViewPlay);
    button.click();
    EXPECT_TRUE(playerWindow().visible());
    button.click();
    EXPECT_FALSE(playerWindow().visible());
}

TEST_F(MainWindow, BackToGameShowsTheGameWindowAndSaysMaximized) {
    FakeGame game(desktop);
    startUp();
    desktop.window(game.gameWindow()).visible = false;
    backButton().click();
    EXPECT_TRUE(desktop.window(game.gameWindow()).visible);
    EXPECT_EQ(game.commands.back(), "say ^1Maximized");
}

TEST_F(MainWindow, BackToGameWithoutTheGameDoesNothingVisible) {
    startUp();
    backButton().click();
    EXPECT_EQ(desktop.setTextCalls, 0);
}

}  // namespace
