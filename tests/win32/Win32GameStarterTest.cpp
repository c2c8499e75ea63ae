// The game starter against the stand-in game in a community client's mode:
// the game starts in its own folder with its arguments whole, joins Varnok's
// console, which no one sees, its main window is found by its process, and it
// is seen to end.

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <chrono>
#include <iostream>
#include <regex>

#include "CommunityStandIn.h"
#include "Win32TestSupport.h"
#include "platform/win32/Win32ConsoleInput.h"
#include "platform/win32/Win32WindowManager.h"
#include "support/Windows.h"

namespace {

using namespace std::chrono_literals;
using varnok::console::WindowHandle;
using win32test::CommunityStandIn;
using win32test::sharedStarter;

TEST(GameStarter, StartsTheGameInItsFolderOnAConsoleNoOneSeesUntilItEnds) {
    win32test::ConsoleWindowWatch watch;
    const auto launched = std::chrono::steady_clock::now();
    // A value with blanks, quotes and a trailing backslash, and a mod folder with a blank.
    CommunityStandIn game(
        {"+set", "fs_game", "Jedi Mod", "+set", "sv_hostname", "a \"quoted\" C:\\x\\"});
    ASSERT_NE(game.process(), 0u) << game.started().failure;
    ASSERT_TRUE(game.waitForLog("Jedi Mod"));
    const auto& console = sharedStarter().console();
    std::cout << "[ measured ] hidden console: " << console.milliseconds << " ms, "
              << console.attachTries << " AttachConsole tries; launch to the log's first line "
              << win32test::millisecondsSince(launched) << " ms\n";
    EXPECT_TRUE(console.made) << console.failure;
    EXPECT_EQ(game.log("Jedi Mod").rfind("logfile opened on ", 0), 0u);

    // The game reads Varnok's console: the cvar set on its command line answers whole.
    varnok::platform::win32::Win32ConsoleInput input;
    ASSERT_TRUE(input.write("sv_hostname"));
    EXPECT_TRUE(e2e::waitUntil(
        [&] {
            return game.log("Jedi Mod")
                       .find(
                           "sv_hostname\n^9Cvar ^7sv_hostname = ^9\"^7a "
                           "\"quoted\" C:\\x\\^9\"^7") != std::string::npos;
        },
        5s))
        << game.log("Jedi Mod");
    // Its records went to its working folder, its own.
    EXPECT_EQ(game.lines("transcript.log"), std::vector<std::string>{"sv_hostname"});

    varnok::platform::win32::Win32WindowManager windows;
    const HWND sdl = e2e::findTopLevelWindow("SDL_app", "EternalJK", game.process());
    ASSERT_NE(sdl, nullptr);
    EXPECT_EQ(e2e::findTopLevelWindow("JAMP WinConsole", nullptr, game.process()), nullptr);
    EXPECT_EQ(windows.mainWindowOf(game.process()), reinterpret_cast<WindowHandle>(sdl));
    ASSERT_TRUE(game.send("hidegame"));
    EXPECT_EQ(windows.mainWindowOf(game.process()), 0u);

    EXPECT_TRUE(sharedStarter().running(game.process()));
    EXPECT_FALSE(sharedStarter().running(GetCurrentProcessId()));
    ASSERT_TRUE(game.send("quit"));
    EXPECT_TRUE(e2e::waitUntil([&] { return !sharedStarter().running(game.process()); }, 5s));
    EXPECT_EQ(watch.seen(), 0);
}

TEST(GameStarter, OpenJKLogsUnderTheDocumentsWithTimeStamps) {
    char documents[MAX_PATH] = "";
    ASSERT_TRUE(SUCCEEDED(
        SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)));
    const std::string mod = "varnok-check-" + std::to_string(GetCurrentProcessId());
    const std::string folder = std::string(documents) + "\\My Games\\OpenJK\\" + mod;
    const std::string log = folder + "\\qconsole.log";
    {
        CommunityStandIn game({"--client", "openjk", "+set", "fs_game", mod});
        ASSERT_NE(game.process(), 0u) << game.started().failure;
        EXPECT_NE(e2e::waitForTopLevelWindow("SDL_app", "OpenJK", game.process(), 10s), nullptr);
        ASSERT_TRUE(game.send("chat hello there"));
        ASSERT_TRUE(e2e::waitUntil(
            [&] {
                return e2e::readFile(log).find("*Padme^7: ^2hello there\n") != std::string::npos;
            },
            5s))
            << e2e::readFile(log);
    }
    const std::string text = e2e::readFile(log);
    const std::regex stamped(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d .*)");
    for (std::size_t line = 0, end; line < text.size(); line = end + 1) {
        end = text.find('\n', line);
        EXPECT_TRUE(std::regex_match(text.substr(line, end - line), stamped)) << text;
    }
    EXPECT_EQ(text.find("logfile opened on "), 20u) << text;
    DeleteFileA(log.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
