// Told, not asking: Varnok.exe reads the stand-in game's log file, which it
// turns on, instead of its console's pane, hands over to the pane when the
// log stops, and leaves the log as it found it.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "support/StandInGame.h"
#include "support/VarnokApp.h"

using namespace std::chrono_literals;
using e2e::StandInGame;
using e2e::StandInOptions;
using e2e::Transcript;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto kPatience = 15s;
const std::string kNowAnswer = "say ^4 It is currently: ";

class GameLogEndToEnd : public ::testing::Test {
  protected:
    void start(StandInOptions options = {}) {
        game = std::make_unique<StandInGame>(folder, options);
        ASSERT_TRUE(game->started()) << game->startError();
        app = std::make_unique<e2e::VarnokApp>(folder);
        ASSERT_TRUE(app->started()) << app->startError();
        ASSERT_TRUE(e2e::waitUntil(
            [&] {
                return app->controlText("lblPlatform").value_or("").find("Padawan") !=
                       std::string::npos;
            },
            kPatience));
    }
    // Waits until Varnok has turned the log on and the game has opened it.
    void waitForTheLog() {
        ASSERT_TRUE(waitFor("logfile 2"));
        ASSERT_TRUE(e2e::waitUntil([&] { return game->log().rfind("logfile opened on ", 0) == 0; },
                                   kPatience));
        std::this_thread::sleep_for(500ms);  // Varnok finds it at its next turn
    }
    void chat(const std::string& text) {
        game->waitForServerGap();
        ASSERT_TRUE(game->chat(text));
    }
    bool waitFor(const std::string& line, int count = 1) {
        return game->waitForTranscript(
            [&](const Transcript& t) { return e2e::countLine(t, line) >= count; }, kPatience);
    }
    int nowAnswers() const {
        const Transcript t = game->transcript();
        return static_cast<int>(std::count_if(t.begin(), t.end(), [](const std::string& line) {
            return line.rfind(kNowAnswer, 0) == 0;
        }));
    }
    bool waitForNowAnswers(int count) {
        return e2e::waitUntil([&] { return nowAnswers() >= count; }, kPatience);
    }

    e2e::TempFolder folder;
    std::unique_ptr<StandInGame> game;
    std::unique_ptr<e2e::VarnokApp> app;
};

TEST_F(GameLogEndToEnd, TheLogIsTurnedOnReadAndTurnedOffWhenVarnokEnds) {
    start();
    waitForTheLog();
    chat("!mini");
    ASSERT_TRUE(waitFor("say ^1Minimized"));
    EXPECT_NE(game->log().find("Padawan^7: ^2!mini\n"), std::string::npos);
    EXPECT_EQ(e2e::countLine(game->transcript(), "logfile 0"), 0);

    PostMessageA(app->mainWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor("logfile 0"));
    EXPECT_TRUE(app->process().waitForExit(5000));
}

// The player sets "logfile 0": the pane shows what the log no longer gets. The
// command printed then is answered once, from the pane, and so is the next.
TEST_F(GameLogEndToEnd, ALogTurnedOffMidGameHandsOverToThePane) {
    start();
    waitForTheLog();
    ASSERT_TRUE(game->setLogfile(0));
    chat("!now");
    ASSERT_TRUE(waitForNowAnswers(1));
    chat("!now");
    ASSERT_TRUE(waitForNowAnswers(2));
    std::this_thread::sleep_for(3s);
    EXPECT_EQ(nowAnswers(), 2);
}

// A log written through a buffer gets its lines late: the pane stays, and
// the log is not touched.
TEST_F(GameLogEndToEnd, ALogAlreadyAtOneKeepsThePane) {
    start({.logfile = 1});
    chat("!now");
    ASSERT_TRUE(waitForNowAnswers(1));
    EXPECT_EQ(e2e::countLine(game->transcript(), "logfile 2"), 0);
    PostMessageA(app->mainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(app->process().waitForExit(5000));
    EXPECT_EQ(e2e::countLine(game->transcript(), "logfile 0"), 0);
}

// A game that stalls answers no message and writes nothing: Varnok stays
// responsive, and what the game prints after the stall is answered once.
TEST_F(GameLogEndToEnd, AStalledGameBlocksNothingAndLosesNothing) {
    start();
    waitForTheLog();
    ASSERT_TRUE(game->hang(3000));
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(app->responsive(500));
    chat("!now");  // taken by the game once the stall is over
    ASSERT_TRUE(waitForNowAnswers(1));
    std::this_thread::sleep_for(3s);
    EXPECT_EQ(nowAnswers(), 1);
}

}  // namespace
