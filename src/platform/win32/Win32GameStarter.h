#pragma once
// The game-starter port over kernel32: Varnok's hidden console made on first
// use (Win32HiddenConsole.h), then the game started with no console flags and
// no inherited handles, so that it shares that console, in its own folder.
// The handles of the games started are kept until they are seen to have ended.

#include <windows.h>

#include <map>

#include "platform/win32/Win32HiddenConsole.h"
#include "ports/GameStarter.h"

namespace varnok::platform::win32 {

// The command line of `exe` with `arguments`: the exe quoted, each argument
// quoted when it holds a blank or a tab or is empty (the C runtime's rules:
// a double quote and the backslashes before it escaped).
std::wstring gameCommandLine(const std::filesystem::path& exe,
                             const std::vector<std::string>& arguments);

class Win32GameStarter : public console::GameStarter {
  public:
    Win32GameStarter() = default;
    ~Win32GameStarter() override;
    Win32GameStarter(const Win32GameStarter&) = delete;
    Win32GameStarter& operator=(const Win32GameStarter&) = delete;

    StartedGame start(const std::filesystem::path& exe,
                      const std::vector<std::string>& arguments) override;
    bool running(std::uint32_t process) override;
    std::optional<std::filesystem::path> documentsFolder() override;

    // The handle of a game started here that has not been seen to end (for a
    // wait on it); nullptr otherwise. It stays the starter's.
    HANDLE handleOf(std::uint32_t process) const;
    // How the hidden console was made (nothing made yet: made is false, no tries).
    const HiddenConsole& console() const { return console_; }

  private:
    HiddenConsole console_;
    std::map<std::uint32_t, HANDLE> games_;
};

}  // namespace varnok::platform::win32
