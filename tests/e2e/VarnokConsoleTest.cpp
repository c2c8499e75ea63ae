// Varnok.exe beside the stand-in game, both under test from outside: what
// Varnok types into the game's console, what its main window shows, and how
// it copes with the console coming and going and with a game that hangs.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "support/Paths.h"
#include "support/StandInGame.h"
#include "support/VarnokApp.h"

using namespace std::chrono_literals;
using e2e::StandInGame;
using e2e::Transcript;
using e2e::VarnokApp;

namespace {

constexpr auto kPatience = 15s;
const std::string kNotRunning = "[ Current Player: <JKA is not running>  OS: ";

class VarnokWithGame : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::fileExists(e2e::varnokExePath()))
            << "Varnok.exe not found at " << e2e::varnokExePath();
    }

    void startGame(e2e::StandInOptions options = {}) {
        game = std::make_unique<StandInGame>(folder, options);
        ASSERT_TRUE(game->started()) << game->startError();
    }

    void startVarnok() {
        app = std::make_unique<VarnokApp>(folder);
        ASSERT_TRUE(app->started()) << app->startError();
    }

    std::string status() const { return app->controlText("lblPlatform").value_or("<no answer>"); }

    bool waitForStatus(const std::function<bool(const std::string&)>& condition) {
        return e2e::waitUntil([&] { return condition(status()); }, kPatience);
    }

    bool waitForBackButton(bool visible) {
        return e2e::waitUntil([&] { return app->controlVisible("cmdBack") == visible; }, kPatience);
    }

    bool waitForLine(const std::string& line) {
        return game->waitForTranscript([&](const Transcript& t) { return e2e::hasLine(t, line); },
                                       kPatience);
    }

    static bool startsWith(const std::string& text, const std::string& prefix) {
        return text.compare(0, prefix.size(), prefix) == 0;
    }

    e2e::TempFolder folder;
    std::unique_ptr<StandInGame> game;
    std::unique_ptr<VarnokApp> app;
};

TEST_F(VarnokWithGame, AsksForTheNameAtStartUpAndShowsIt) {
    startGame({.playerName = "Kyle"});
    startVarnok();
    ASSERT_TRUE(game->waitForTranscript([](const Transcript& t) { return !t.empty(); }, kPatience));
    EXPECT_EQ(game->transcript().front(), "name");
    EXPECT_TRUE(waitForStatus([](const std::string& s) {
        return startsWith(s, "[ Current Player: Kyle  OS: ");
    })) << status();
    EXPECT_TRUE(waitForBackButton(true));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("Saves")));
}

TEST_F(VarnokWithGame, FindsAConsoleThatOpensAfterItStarted) {
    startGame({.openConsole = false});
    startVarnok();
    EXPECT_TRUE(waitForStatus([](const std::string& s) { return startsWith(s, kNotRunning); }))
        << status();
    EXPECT_FALSE(app->controlVisible("cmdBack"));

    ASSERT_TRUE(game->openConsole());
    EXPECT_TRUE(waitForBackButton(true));
    ASSERT_TRUE(waitForLine("/name"));
    // The start-up "name" found no console and went nowhere.
    EXPECT_EQ(game->transcript().front(), "/name");
    EXPECT_TRUE(waitForStatus([](const std::string& s) {
        return startsWith(s, "[ Current Player: Padawan  OS: ");
    })) << status();
}

TEST_F(VarnokWithGame, NoticesTheConsoleClosingAndFindsItAgain) {
    startGame();
    startVarnok();
    ASSERT_TRUE(waitForBackButton(true));

    ASSERT_TRUE(game->closeConsole());
    EXPECT_TRUE(waitForStatus([](const std::string& s) { return startsWith(s, kNotRunning); }))
        << status();
    EXPECT_TRUE(waitForBackButton(false));

    size_t linesBefore = game->transcript().size();
    ASSERT_TRUE(game->openConsole());
    EXPECT_TRUE(waitForBackButton(true));
    // The name was forgotten with the console, so Varnok asks for it again.
    EXPECT_TRUE(game->waitForTranscript(
        [&](const Transcript& t) {
            return t.size() > linesBefore &&
                   e2e::hasLine({t.begin() + linesBefore, t.end()}, "/name");
        },
        kPatience));
    EXPECT_TRUE(waitForStatus([](const std::string& s) { return !startsWith(s, kNotRunning); }))
        << status();
}

TEST_F(VarnokWithGame, BackToGameShowsTheGameWindowAndSaysSo) {
    startGame();
    startVarnok();
    ASSERT_TRUE(waitForBackButton(true));
    ASSERT_TRUE(game->hideGame());
    ASSERT_FALSE(e2e::isShown(game->gameWindow()));

    ASSERT_TRUE(app->clickButton("cmdBack"));
    EXPECT_TRUE(e2e::waitUntil([&] { return e2e::isShown(game->gameWindow()); }, kPatience));
    EXPECT_TRUE(waitForLine("say ^1Maximized"));
    // The say comes back from the server a round trip later, its colour codes dropped.
    EXPECT_TRUE(game->waitForPane(
        [](const std::string& pane) { return pane.find("Padawan: Maximized\r\n") != pane.npos; },
        kPatience))
        << game->paneText();
}

TEST_F(VarnokWithGame, StaysResponsiveWhileTheGameHangs) {
    startGame();
    startVarnok();
    // Varnok has read the console (and the player's name in it) before the hang.
    ASSERT_TRUE(waitForStatus([](const std::string& s) { return s.find("Padawan") != s.npos; }))
        << status();

    HWND player = app->window("frmPlay");
    ASSERT_NE(player, nullptr);
    bool playerShown = e2e::isShown(player);

    ASSERT_TRUE(game->hang(5000));
    std::this_thread::sleep_for(300ms);
    auto hangEnds = std::chrono::steady_clock::now() + 4500ms;

    // A click still takes effect while the game does not answer.
    auto clicked = std::chrono::steady_clock::now();
    ASSERT_TRUE(app->clickButton("cmdViewPlay"));
    EXPECT_TRUE(e2e::waitUntil([&] { return e2e::isShown(player) != playerShown; }, 3s));
    EXPECT_LT(std::chrono::steady_clock::now() - clicked, 3500ms);

    int probes = 0;
    while (std::chrono::steady_clock::now() < hangEnds) {
        auto asked = std::chrono::steady_clock::now();
        EXPECT_TRUE(app->responsive(2000)) << "probe " << probes;
        EXPECT_TRUE(app->controlText("lblPlatform", 2000).has_value()) << "probe " << probes;
        EXPECT_LT(std::chrono::steady_clock::now() - asked, 2500ms);
        ++probes;
        std::this_thread::sleep_for(300ms);
    }
    EXPECT_GE(probes, 2);

    // Once the game answers again, Varnok goes on reading it and typing into it.
    // The stall may outlast the probes by a little; the game answers its
    // control channel again once it has ended.
    ASSERT_TRUE(e2e::waitUntil([&] { return game->hideGame(); }, kPatience));
    ASSERT_TRUE(game->print("Kyle: back again\\n"));
    EXPECT_TRUE(e2e::waitUntil(
        [&] {
            return app->controlText("ChatText").value_or("").find("Kyle: back again") !=
                   std::string::npos;
        },
        kPatience))
        << app->controlText("ChatText").value_or("<no answer>");
    ASSERT_TRUE(app->clickButton("cmdBack"));
    EXPECT_TRUE(waitForLine("say ^1Maximized"));
    EXPECT_TRUE(app->process().running());
}

TEST_F(VarnokWithGame, ExitMenuAndClosingTheWindowEndTheProgram) {
    startGame();
    startVarnok();
    ASSERT_TRUE(app->chooseMenu("mnuExit"));
    EXPECT_TRUE(app->process().waitForExit(10000));

    startVarnok();
    PostMessageA(app->mainWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(app->process().waitForExit(10000));
    // The game is left running.
    EXPECT_TRUE(game->process().running());
}

}  // namespace
