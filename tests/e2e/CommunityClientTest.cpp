// A community client end to end: Varnok starts the stand-in as EternalJK (or
// OpenJK) on a console of its own that no one sees, hears it through its log
// and types into that console's input buffer. The client records every line
// that reached it whole, and as faults what a careless writer would lose:
// records dropped by its read-then-flush, editing keys, lines of 255
// characters or more.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <sstream>
#include <thread>

#include "commands/Commands.h"
#include "support/Paths.h"
#include "support/StandInGame.h"
#include "support/TestAudio.h"
#include "support/VarnokApp.h"

using namespace std::chrono_literals;
using e2e::StandInGame;
using e2e::Transcript;
using e2e::VarnokApp;

namespace {

constexpr auto kPatience = 15s;
const std::string kAnnouncement = "say ^7-{^0ZUL^7}-^4$^0pellow^4$ ^1Varnok V1.2B initilized";
const std::string kNoCommands = "[ This game takes no typed commands: Varnok cannot answer in it ]";

class CommunityClient : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::fileExists(e2e::varnokExePath()))
            << "Varnok.exe not found at " << e2e::varnokExePath();
        CreateDirectoryA(folder.file("Saves").c_str(), nullptr);
    }

    // Varnok, which starts the client; for EternalJK, returns once Varnok
    // knows the player's name.
    void start(const std::string& client = "eternaljk") {
        game = std::make_unique<StandInGame>(folder, e2e::StandInOptions{.client = client});
        ASSERT_TRUE(game->startError().empty()) << game->startError();
        app = std::make_unique<VarnokApp>(folder, game->varnokArguments());
        ASSERT_TRUE(app->started()) << app->startError();
        ASSERT_TRUE(game->awaitStart()) << game->startError();
        if (client != "eternaljk") return;
        ASSERT_TRUE(waitForStatus("[ Current Player: Padawan  OS: ")) << status();
    }

    std::string status() const { return app->controlText("lblPlatform").value_or("<no answer>"); }
    bool waitForStatus(const std::string& begin) {
        return e2e::waitUntil([&] { return status().starts_with(begin); }, kPatience);
    }

    // The player's chat line; waits until Varnok has typed `line` (or a line
    // that begins with it) and answers what it typed after the chat line.
    Transcript chat(const std::string& message, const std::string& line, bool whole = true) {
        const auto answer = [&](const std::string& l) {
            return whole ? l == line : l.starts_with(line);
        };
        const Transcript typed = game->chatAndAwait(message, answer, kPatience);
        EXPECT_TRUE(std::any_of(typed.begin(), typed.end(), answer))
            << message << " did not give: " << line << "\n"
            << ::testing::PrintToString(typed) << "\nlog:\n"
            << game->log();
        return typed;
    }

    // The input records waiting unread in Varnok's console: what Varnok typed
    // that no game took. Looked at by joining that console for a moment.
    DWORD waitingInVarnoksConsole() const {
        const DWORD kinds[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
        HANDLE saved[3];
        for (int i = 0; i < 3; ++i) saved[i] = GetStdHandle(kinds[i]);
        DWORD waiting = MAXDWORD;
        // A console program has a console of its own, which it leaves for good.
        FreeConsole();
        if (AttachConsole(app->process().id())) {
            HANDLE input =
                CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
            if (input != INVALID_HANDLE_VALUE) {
                GetNumberOfConsoleInputEvents(input, &waiting);
                CloseHandle(input);
            }
            FreeConsole();
        }
        for (int i = 0; i < 3; ++i) SetStdHandle(kinds[i], saved[i]);
        return waiting;
    }

    // Nothing lost, no editing key, no line too long, no flood.
    void expectNoFaults() const {
        EXPECT_EQ(game->faults(), Transcript{}) << ::testing::PrintToString(game->transcript());
    }

    e2e::TempFolder folder;
    std::unique_ptr<StandInGame> game;
    std::unique_ptr<VarnokApp> app;
};

TEST_F(CommunityClient, EternalJKIsAskedItsQuestionsAndAnswersEveryCommandAndEvent) {
    start();
    const Transcript asked = game->transcript();
    ASSERT_TRUE(e2e::setWindowText(app->control("txtDuelEngage"), "%s faces %d"));

    // Nothing is typed before the client's log begins: the game is asked once found.
    const Transcript questions = {"/name", "se_language", "fs_basepath", "fs_game"};
    EXPECT_EQ(Transcript(asked.begin(), asked.begin() + std::min(asked.size(), questions.size())),
              questions);

    const Transcript& help = varnok::commands::helpLines();
    EXPECT_EQ(chat("!commands", help.back()), help);

    chat("!now", "say ^4 It is currently: ^1", false);

    game->waitForServerGap();
    ASSERT_TRUE(game->enter());
    EXPECT_TRUE(game->waitForTranscript(
        [&](const Transcript& t) { return e2e::hasLine(t, kAnnouncement); }, kPatience));

    game->waitForServerGap();
    ASSERT_TRUE(game->duel("Padawan", "Kyle"));
    EXPECT_TRUE(game->waitForTranscript(
        [&](const Transcript& t) { return e2e::hasLine(t, "say Padawan faces Kyle"); }, kPatience))
        << game->log();

    // Each line typed once: a say is confirmed by its echo, however the client rebuilt it.
    const Transcript all = game->transcript();
    EXPECT_EQ(e2e::countLine(all, kAnnouncement), 1);
    EXPECT_EQ(e2e::countLine(all, help.front()), 1);
    expectNoFaults();
}

// "# $ % & ' (" share their key codes with the client's editing keys, and the
// client keeps at most 254 characters of a line.
TEST_F(CommunityClient, ASongNamedWithEditingKeysAndTheLongestLineArriveWhole) {
    const std::string keys = "Rock # $ % & ' ( Roll";
    const std::string longName = "Long" + std::string(296, 'o');
    const std::string path = folder.file("song.wav");
    ASSERT_TRUE(e2e::writeWav(path, 30.0));
    folder.write("Saves\\playlist.lst",
                 " 2 \r\n" + path + "\r\n" + keys + "\r\n" + path + "\r\n" + longName + "\r\n");
    start();
    chat("!listsongs", "/clear");
    const std::string playing = "say ^4Currently playing: ^3";
    chat("!play rock", playing + keys);
    const std::string longest = playing + longName.substr(0, 254 - playing.size());
    chat("!play long", longest);
    ASSERT_EQ(longest.size(), 254u);
    std::this_thread::sleep_for(2500ms);  // a say whose echo went unseen goes again after 2 s
    const Transcript all = game->transcript();
    EXPECT_EQ(e2e::countLine(all, playing + keys), 1) << game->log();
    EXPECT_EQ(e2e::countLine(all, longest), 1);
    expectNoFaults();
}

TEST_F(CommunityClient, TheGamesEndIsNoticedAndNothingIsTypedAfter) {
    start();
    ASSERT_TRUE(app->controlVisible("cmdBack"));
    ASSERT_TRUE(game->quit());
    EXPECT_TRUE(e2e::waitUntil([&] { return game->ended(); }, kPatience));
    EXPECT_TRUE(waitForStatus("[ Current Player: <JKA is not running>  OS: ")) << status();
    EXPECT_TRUE(e2e::waitUntil([&] { return !app->controlVisible("cmdBack"); }, kPatience));
    std::this_thread::sleep_for(3s);  // "/name" would be asked every second
    EXPECT_EQ(waitingInVarnoksConsole(), 0u);
    EXPECT_TRUE(app->responsive(2000));
}

// OpenJK reads no console input: Varnok hears it through its log, types
// nothing into a buffer no one reads, and says why it does not answer.
TEST_F(CommunityClient, OpenJKIsHeardButNothingIsTypedAndTheStatusLineSaysWhy) {
    start("openjk");
    // The status line says so once the client's log has begun.
    EXPECT_TRUE(waitForStatus(kNoCommands)) << status();
    game->waitForServerGap();
    ASSERT_TRUE(game->chat("!now"));
    EXPECT_TRUE(
        e2e::waitUntil([&] { return game->log().find("!now") != std::string::npos; }, kPatience));
    // Each line of OpenJK's log after a "YYYY-MM-DD HH:MM:SS " stamp.
    std::istringstream log(game->log());
    for (std::string line; std::getline(log, line);)
        EXPECT_TRUE(line.size() >= 20 && line[4] == '-' && line[13] == ':' && line[19] == ' ')
            << line;
    std::this_thread::sleep_for(2s);
    EXPECT_EQ(waitingInVarnoksConsole(), 0u);
    EXPECT_EQ(game->transcript(), Transcript{});
    EXPECT_TRUE(status().starts_with(kNoCommands)) << status();
}

}  // namespace
