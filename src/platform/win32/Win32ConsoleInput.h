#pragma once
// The console-input port over kernel32: Varnok's console's input buffer
// (CONIN$, opened for reading and writing once there is a console, kept
// while it answers). A line goes in as one WriteConsoleInputA of key-down
// records only: key-up records would be more records for the game to read
// in a frame, and a reader that empties the buffer after each read loses
// them and what follows.

#include <windows.h>

#include "ports/ConsoleInput.h"

namespace varnok::platform::win32 {

class Win32ConsoleInput : public console::ConsoleInput {
  public:
    Win32ConsoleInput() = default;
    ~Win32ConsoleInput() override;
    Win32ConsoleInput(const Win32ConsoleInput&) = delete;
    Win32ConsoleInput& operator=(const Win32ConsoleInput&) = delete;

    std::optional<std::size_t> waiting() override;
    bool write(std::string_view line) override;

  private:
    // The input buffer, opened when there is a console; false when there is none.
    bool open();
    void close();

    HANDLE input_ = INVALID_HANDLE_VALUE;
};

}  // namespace varnok::platform::win32
