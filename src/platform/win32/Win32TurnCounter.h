#pragma once
// What woke Varnok, for the benchmark: when the environment variable
// VARNOK_TURN_COUNTER names a file, its first eight bytes count the idle
// waits (one a quiet turn) and the following ones how each wait ended (all
// little-endian, 64-bit), kept through a mapped view so that counting costs no
// call. Without the variable nothing is counted.

#include <cstdint>

namespace varnok::platform::win32 {

class Win32TurnCounter {
  public:
    // How a wait ended; the window input a wait ended for is counted by kind.
    enum Slot : unsigned {
        Waits,      // every idle wait
        TimedOut,   // the wait ran out
        Folder,     // a change in a watched folder
        Process,    // the game's process ended
        Input,      // window input of any kind, then by kind:
        UserInput,  // keys and the mouse
        Posted,     // a posted message
        Timer,      // a timer's tick
        Paint,      // a window to paint
        Sent,       // a message sent from another thread or process
        Other,      // anything else (hot keys, raw input)
        kSlots
    };

    Win32TurnCounter();
    ~Win32TurnCounter();
    Win32TurnCounter(const Win32TurnCounter&) = delete;
    Win32TurnCounter& operator=(const Win32TurnCounter&) = delete;

    bool counting() const { return view_ != nullptr; }
    void count(Slot slot) {
        if (view_ != nullptr) view_[slot] = view_[slot] + 1;
    }

  private:
    volatile std::uint64_t* view_ = nullptr;
};

}  // namespace varnok::platform::win32
