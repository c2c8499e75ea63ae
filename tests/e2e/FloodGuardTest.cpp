// Every line Varnok says reaches the other players: Varnok.exe beside the
// stand-in game, whose server ignores a client command that comes within its
// flood window of the previous one (in whole server frames, behind packets and
// the network's jitter) and records each one it dropped.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "support/StandInGame.h"
#include "support/TestAudio.h"
#include "support/VarnokApp.h"

using namespace std::chrono_literals;
using e2e::StandInGame;
using e2e::StandInOptions;
using e2e::Transcript;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto kPatience = 20s;
const std::string kAnnouncement = "say ^7-{^0ZUL^7}-^4$^0pellow^4$ ^1Varnok V1.2B initilized";

class FloodGuardEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override { CreateDirectoryA(folder.file("Saves").c_str(), nullptr); }

    // The game, then Varnok with the replies of "replies.vnk" loaded through
    // the chat when the game is connected and `withReplies`.
    void start(StandInOptions options = {}, bool withReplies = true) {
        folder.write("Saves\\replies.vnk",
                     "Varnok -{ZUL}- $pellow$\r\n%s vs %d\r\ngg %d\r\nwell played %d\r\n"
                     "Welcome %d\r\n 1 \r\noops\r\n 1 \r\nReady\r\n 1 \r\ngg all\r\n 1 \r\n"
                     " 1 \r\n 1 \r\n");
        game = std::make_unique<StandInGame>(folder, options);
        ASSERT_TRUE(game->started()) << game->startError();
        app = std::make_unique<e2e::VarnokApp>(folder);
        ASSERT_TRUE(app->started()) << app->startError();
        started = Clock::now();
        ASSERT_TRUE(e2e::waitUntil(
            [&] {
                return app->controlText("lblPlatform").value_or("").find("Padawan") !=
                       std::string::npos;
            },
            kPatience));
        if (!options.connected || !withReplies) return;
        chat("!load replies");
        ASSERT_TRUE(waitForCount("say ^7replies ^1loaded successfully", 1))
            << timeline() << ::testing::PrintToString(game->transcript()) << game->paneText();
    }

    // The player's chat line, typed as a player who waits for his game's
    // last command to be a second and more behind.
    void chat(const std::string& text) {
        game->waitForServerGap();
        ASSERT_TRUE(game->chat(text));
    }

    bool waitForCount(const std::string& line, int count) {
        return game->waitForTranscript(
            [&](const Transcript& t) { return e2e::countLine(t, line) >= count; }, kPatience);
    }
    int count(const std::string& line) const { return e2e::countLine(game->transcript(), line); }
    // The pane shows `text` as the player's chat line, back from the server.
    bool shown(const std::string& text) const {
        return game->paneText().find("Padawan: " + text + "\r\n") != std::string::npos;
    }
    Transcript floods() const { return game->faults("flood"); }
    // What the game sent its server and when the server took it, for a failure's message.
    std::string timeline() const {
        std::string out;
        for (const std::string& line : game->timing())
            if (line.find(" sent ") != std::string::npos ||
                line.find(" server ") != std::string::npos ||
                line.find(" shown ") != std::string::npos)
                out += line + "\n";
        return out;
    }

    e2e::TempFolder folder;
    std::unique_ptr<StandInGame> game;
    std::unique_ptr<e2e::VarnokApp> app;
    Clock::time_point started;
};

// Answers that follow the player's own chat line, and the player's next line
// right after an answer: none is lost.
TEST_F(FloodGuardEndToEnd, AnswersAfterThePlayersChatAndHisNextLineAllReachTheServer) {
    ASSERT_TRUE(e2e::writeWav(folder.file("Alpha.wav"), 5.0));
    folder.write("Saves\\list.lst", " 1 \r\n" + folder.file("Alpha.wav") + "\r\nAlpha.wav\r\n");
    start();
    chat("!playlist list");
    ASSERT_TRUE(waitForCount("say ^7 list ^1loaded successfully", 1))
        << ::testing::PrintToString(game->transcript());

    chat("!now");
    std::this_thread::sleep_for(1050ms);
    ASSERT_TRUE(game->chat("right after"));
    ASSERT_TRUE(game->waitForTranscript(
        [](const Transcript& t) {
            return std::any_of(t.begin(), t.end(), [](const std::string& line) {
                return line.rfind("say ^4 It is currently: ", 0) == 0;
            });
        },
        kPatience));
    std::this_thread::sleep_for(2500ms);
    EXPECT_EQ(floods(), Transcript{}) << timeline();
    EXPECT_TRUE(shown("replies loaded successfully"));
    EXPECT_TRUE(shown(" list loaded successfully"));
    EXPECT_TRUE(shown("right after"));
    EXPECT_EQ(count("say ^7replies ^1loaded successfully"), 1);  // each said once: none lost
}

// Replies that come close together: the own entry and its message five times,
// a duel won a quarter of a second after it began, a greeting a tenth of a
// second after the player's own line.
TEST_F(FloodGuardEndToEnd, RepliesCloseTogetherAreAllDelivered) {
    start();
    for (int i = 1; i <= 5; ++i) {
        ASSERT_TRUE(game->enter());
        ASSERT_TRUE(waitForCount("say Ready", i)) << i;
    }
    ASSERT_TRUE(game->duel("Padawan", "Kyle"));
    std::this_thread::sleep_for(250ms);
    ASSERT_TRUE(game->kill("Kyle", "Padawan"));
    ASSERT_TRUE(waitForCount("say gg Kyle", 1));

    std::this_thread::sleep_until(started + 16s);  // the greetings' gate is open
    chat("hello all");
    ASSERT_TRUE(game->waitForPane(
        [](const std::string& pane) {
            return pane.find("Padawan: hello all") != std::string::npos;
        },
        kPatience));
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(game->enter("Rosh"));
    ASSERT_TRUE(waitForCount("say Welcome Rosh", 1));
    std::this_thread::sleep_for(2500ms);
    EXPECT_EQ(floods(), Transcript{}) << timeline();
    EXPECT_EQ(count(kAnnouncement), 5);
    EXPECT_EQ(count("say Ready"), 5);
    EXPECT_EQ(count("say Padawan vs Kyle"), 1);
    EXPECT_EQ(count("say Welcome Rosh"), 1);
    EXPECT_TRUE(shown("hello all"));
    EXPECT_TRUE(shown("Welcome Rosh"));
}

// A server that wants a second and a half: the first line too close is lost,
// typed once more, and from then on Varnok keeps to the longer window.
TEST_F(FloodGuardEndToEnd, AServerWithALongerWindowLosesAtMostOneLine) {
    start({.floodMs = 1500});
    for (int i = 1; i <= 3; ++i) {
        ASSERT_TRUE(game->enter());
        ASSERT_TRUE(waitForCount("say Ready", i)) << i;
    }
    std::this_thread::sleep_for(4s);
    EXPECT_LE(floods().size(), 1u) << ::testing::PrintToString(floods());
    const std::string pane = game->paneText();
    std::size_t readies = 0;
    for (std::size_t at = pane.find("Padawan: Ready\r\n"); at != std::string::npos;
         at = pane.find("Padawan: Ready\r\n", at + 1))
        ++readies;
    EXPECT_EQ(readies, 3u);
}

// A line the server drops again on its second try is not typed a third time.
TEST_F(FloodGuardEndToEnd, ADroppedLineIsTypedOnceMoreAndOnlyOnce) {
    start({.floodMs = 5000}, false);
    chat("!now");
    const std::string prefix = "say ^4 It is currently: ";
    auto answers = [&] {
        Transcript said;
        for (const std::string& line : game->transcript())
            if (line.rfind(prefix, 0) == 0) said.push_back(line);
        return said;
    };
    ASSERT_TRUE(e2e::waitUntil([&] { return answers().size() == 2; }, kPatience));
    std::this_thread::sleep_for(6s);
    ASSERT_EQ(answers().size(), 2u);
    EXPECT_EQ(answers()[0], answers()[1]);
    EXPECT_EQ(floods(), (Transcript{"flood " + answers()[0], "flood " + answers()[0]}));
}

// Offline the game answers that it knows no "say": no second try.
TEST_F(FloodGuardEndToEnd, OfflineASayIsNotTriedAgain) {
    start({.connected = false});
    ASSERT_TRUE(game->enter());
    ASSERT_TRUE(waitForCount(kAnnouncement, 1));
    std::this_thread::sleep_for(4s);
    EXPECT_EQ(count(kAnnouncement), 1);
    EXPECT_NE(game->paneText().find("Unknown command \"say\""), std::string::npos);
}

}  // namespace
