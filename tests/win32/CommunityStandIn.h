#pragma once
// The stand-in game in EternalJK's mode, started through Varnok's game
// starter, for the tests of the starter and of the console input: a copy of
// standin.exe in a folder with a blank in its name, its records named by
// relative paths (so they land in that folder only when the starter starts the
// game there), and its log turned on from the command line as Varnok does. One
// starter serves the whole test program, as one serves Varnok: the hidden
// console is made once.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/Win32GameStarter.h"
#include "support/TempFolder.h"

namespace win32test {

varnok::platform::win32::Win32GameStarter& sharedStarter();

class CommunityStandIn {
  public:
    // Starts the game with these arguments before "+set logfile 2".
    explicit CommunityStandIn(const std::vector<std::string>& arguments = {});
    // Quits the game (ends it when it does not quit).
    ~CommunityStandIn();

    const varnok::console::GameStarter::StartedGame& started() const { return started_; }
    std::uint32_t process() const { return started_.process; }
    // A file in the game's folder.
    std::string file(const std::string& name) const { return folder_ + "\\" + name; }
    // Waits for the log in `writeFolder` to have its first line; false when it did not come.
    bool waitForLog(const std::string& writeFolder = "EternalJK") const;
    std::string log(const std::string& writeFolder = "EternalJK") const;
    // The lines of a record file in the game's folder ("transcript.log", "faults.log").
    std::vector<std::string> lines(const std::string& name) const;
    // One control command; true when the game carried it out.
    bool send(const std::string& command);

  private:
    e2e::TempFolder temp_;
    std::string folder_;
    varnok::console::GameStarter::StartedGame started_;
    HWND control_ = nullptr;
};

// Counts the times a console window (Windows' class "ConsoleWindowClass",
// Wine's "WineConsoleClass") was seen shown, looking every 5 ms while it lives.
class ConsoleWindowWatch {
  public:
    ConsoleWindowWatch();
    ~ConsoleWindowWatch();
    int seen() const { return seen_; }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<int> seen_{0};
    std::thread thread_;
};

}  // namespace win32test
