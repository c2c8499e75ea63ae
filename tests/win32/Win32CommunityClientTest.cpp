// The game starter and the console input against the stand-in game as
// EternalJK, which reads the console it was started on as that client does
// (256 records a read, then a flush; editing keys by their virtual-key code):
// the game starts with its arguments whole on Varnok's console, which no one
// sees; lines written one a write, each once the last was taken and a frame
// more, arrive whole and once each; its main window is found by its process,
// and it is seen to end.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <thread>

#include "Win32TestSupport.h"
#include "platform/win32/Win32ConsoleInput.h"
#include "platform/win32/Win32GameStarter.h"
#include "platform/win32/Win32WindowManager.h"
#include "support/StandInGame.h"
#include "support/Windows.h"

namespace {

using namespace std::chrono_literals;
using varnok::platform::win32::Win32GameStarter;

// One starter serves the whole program, as one serves Varnok: the hidden
// console is made once.
Win32GameStarter& sharedStarter() {
    static Win32GameStarter starter;
    return starter;
}

// Counts the times a console window (Windows' "ConsoleWindowClass", Wine's
// "WineConsoleClass") was seen shown, looking every 5 ms while it lives.
class ConsoleWindowWatch {
  public:
    ConsoleWindowWatch()
        : thread_([this] {
              while (!stop_) {
                  EnumWindows(countShown, reinterpret_cast<LPARAM>(&seen_));
                  Sleep(5);
              }
          }) {}
    ~ConsoleWindowWatch() {
        stop_ = true;
        thread_.join();
    }
    int seen() const { return seen_; }

  private:
    static BOOL CALLBACK countShown(HWND window, LPARAM seen) {
        char name[64] = "";
        GetClassNameA(window, name, sizeof(name));
        const std::string windowClass = name;
        if ((windowClass == "ConsoleWindowClass" || windowClass == "WineConsoleClass") &&
            IsWindowVisible(window))
            ++*reinterpret_cast<std::atomic<int>*>(seen);
        return TRUE;
    }
    std::atomic<bool> stop_{false};
    std::atomic<int> seen_{0};
    std::thread thread_;
};

class CommunityClient : public ::testing::Test {
  protected:
    // Starts the stand-in as Varnok does: its arguments and "+set logfile 2",
    // through the starter; returns once its log has its first line (what is
    // typed before the game has set its console up is lost).
    void start(e2e::StandInOptions options) {
        options.client = "eternaljk";
        game = std::make_unique<e2e::StandInGame>(folder, options);
        const std::vector<std::string>& varnok = game->varnokArguments();  // --game EXE ARGS...
        std::vector<std::string> arguments(varnok.begin() + 2, varnok.end());
        arguments.insert(arguments.end(), {"+set", "logfile", "2"});
        started = sharedStarter().start(varnok[1], arguments);
        ASSERT_NE(started.process, 0u) << started.failure;
        ASSERT_TRUE(game->awaitStart()) << game->startError();
        ASSERT_TRUE(
            e2e::waitUntil([&] { return game->log().find('\n') != std::string::npos; }, 20s, 5ms));
    }

    void TearDown() override {
        game.reset();  // asks it to quit
        HANDLE process = sharedStarter().handleOf(started.process);
        if (process != nullptr && WaitForSingleObject(process, 3000) == WAIT_TIMEOUT)
            TerminateProcess(process, 1);
        sharedStarter().running(started.process);  // lets the handle go
    }

    // The writer's rule: the buffer empty, then one frame more.
    void drain() {
        EXPECT_TRUE(e2e::waitUntil([&] { return input.waiting() == 0u; }, 2s, 1ms));
        Sleep(40);
    }

    bool transcriptHolds(std::size_t count) {
        return game->waitForTranscript([&](const e2e::Transcript& t) { return t.size() >= count; },
                                       5s);
    }

    ConsoleWindowWatch watch;
    e2e::TempFolder folder;
    std::unique_ptr<e2e::StandInGame> game;
    varnok::console::GameStarter::StartedGame started;
    varnok::platform::win32::Win32ConsoleInput input;
};

TEST_F(CommunityClient, StartsOnAConsoleNoOneSeesWithItsArgumentsWholeUntilItEnds) {
    const auto launched = std::chrono::steady_clock::now();
    // A name with blanks, quotes and a trailing backslash, and a mod folder with a blank.
    start({.playerName = "a \"quoted\" C:\\x\\", .game = "Jedi Mod"});
    const auto& console = sharedStarter().console();
    std::cout << "[ measured ] hidden console: " << console.milliseconds << " ms, "
              << console.attachTries << " AttachConsole tries; launch to the log's first line "
              << win32test::millisecondsSince(launched) << " ms\n";
    EXPECT_TRUE(console.made) << console.failure;
    EXPECT_EQ(game->log().rfind("logfile opened on ", 0), 0u);

    // The game reads Varnok's console: its name, set on its command line, answers whole.
    ASSERT_TRUE(input.write("name"));
    EXPECT_TRUE(e2e::waitUntil(
        [&] {
            return game->log().find("name\n^9Cvar ^7name = ^9\"^7a \"quoted\" C:\\x\\^9\"^7") !=
                   std::string::npos;
        },
        5s))
        << game->log();

    varnok::platform::win32::Win32WindowManager windows;
    const HWND sdl = e2e::findTopLevelWindow("SDL_app", "EternalJK", started.process);
    ASSERT_NE(sdl, nullptr);
    EXPECT_EQ(e2e::findTopLevelWindow("JAMP WinConsole", nullptr, started.process), nullptr);
    EXPECT_EQ(windows.mainWindowOf(started.process),
              reinterpret_cast<varnok::console::WindowHandle>(sdl));
    ASSERT_TRUE(game->hideGame());
    EXPECT_EQ(windows.mainWindowOf(started.process), 0u);

    EXPECT_TRUE(sharedStarter().running(started.process));
    EXPECT_FALSE(sharedStarter().running(GetCurrentProcessId()));
    ASSERT_TRUE(game->quit());
    EXPECT_TRUE(e2e::waitUntil([&] { return !sharedStarter().running(started.process); }, 5s));
    EXPECT_EQ(watch.seen(), 0);
}

TEST_F(CommunityClient, LinesWrittenOneAtATimeArriveWholeAndOnce) {
    start({});
    std::string longest = "echo ";
    // Every printable character but ';', which would split it into commands.
    for (char c = ' '; longest.size() < 254; c = c == '~' ? ' ' : static_cast<char>(c + 1))
        if (c != ';') longest += c;
    std::vector<std::string> lines = {longest, "echo # $ % & ' ("};
    for (int i = 1; i <= 20; ++i) lines.push_back("echo line " + std::to_string(i));

    std::map<std::string, unsigned long long> written;
    for (const std::string& line : lines) {
        drain();
        written[line] = e2e::microsNow();
        EXPECT_TRUE(input.write(line)) << line;
    }
    ASSERT_TRUE(transcriptHolds(lines.size()));
    drain();
    EXPECT_EQ(game->transcript(), lines);
    EXPECT_EQ(game->faults(), e2e::Transcript{});

    // From the write to the game taking the line ("<microseconds> typed <line>").
    std::vector<double> delays;
    for (const std::string& note : game->timing()) {
        const std::size_t typed = note.find(" typed ");
        if (typed == std::string::npos || !written.count(note.substr(typed + 7))) continue;
        delays.push_back(
            (std::strtoull(note.c_str(), nullptr, 10) - written[note.substr(typed + 7)]) / 1000.0);
    }
    ASSERT_EQ(delays.size(), lines.size());
    std::sort(delays.begin(), delays.end());
    std::cout << "[ measured ] write to arrival: min " << delays.front() << " ms, median "
              << delays[delays.size() / 2] << " ms, max " << delays.back() << " ms\n";
    EXPECT_EQ(watch.seen(), 0);
}

// What the writer's rule keeps from happening, as the client loses it.
TEST_F(CommunityClient, ALineWrittenBeforeTheGameTookTheLastIsLost) {
    start({});
    ASSERT_TRUE(game->hang(300));
    Sleep(50);  // the frame has stalled: both lines wait for the same read
    ASSERT_TRUE(input.write("echo one"));
    ASSERT_TRUE(input.write("echo two"));
    ASSERT_TRUE(transcriptHolds(1));
    drain();
    EXPECT_EQ(game->transcript(), e2e::Transcript{"echo one"});
    EXPECT_EQ(game->faults(), e2e::Transcript{"lost 9 records: after the line's Enter"});
}

}  // namespace
