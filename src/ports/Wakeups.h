#pragma once
// What wakes the loop's one wait besides window input and the timers: a change
// in the folder of the game's log file, and the end of the game's process. The
// Win32 adapter hands their handles to the toolkit's wait; tests use a fake.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "ports/WindowManager.h"

namespace varnok::engine {

class Wakeups {
  public:
    virtual ~Wakeups() = default;

    // Wakes the wait when a file in one of `folders` is written, resized or
    // made; the folders watched before are let go. Empty: none. The turn that
    // follows reads what changed.
    virtual void watchFolders(const std::vector<std::filesystem::path>& folders) = 0;
    // Wakes the wait when the process that owns `window` ends; 0: none.
    virtual void watchProcessOf(console::WindowHandle window) = 0;
    // Wakes the wait when the process `process` (an id) ends; 0: none.
    virtual void watchProcess(std::uint32_t process) = 0;
    // True once after the watched process ended.
    virtual bool takeProcessEnd() = 0;
    // Where Windows puts the writes to `file` of a program that may not write
    // there (the user's VirtualStore); nothing where there is no such place.
    virtual std::optional<std::filesystem::path> virtualStoreTwin(
        const std::filesystem::path& file) = 0;
};

}  // namespace varnok::engine
