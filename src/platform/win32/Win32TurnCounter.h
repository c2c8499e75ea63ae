#pragma once
// The number of idle waits (one a quiet turn), for the benchmark: when the
// environment variable VARNOK_TURN_COUNTER names a file, the count is kept in
// its first eight bytes (little-endian) through a mapped view, so counting
// costs no call at all. Without the variable nothing is counted.

#include <cstdint>

namespace varnok::platform::win32 {

class Win32TurnCounter {
  public:
    Win32TurnCounter();
    ~Win32TurnCounter();
    Win32TurnCounter(const Win32TurnCounter&) = delete;
    Win32TurnCounter& operator=(const Win32TurnCounter&) = delete;

    void count() {
        if (view_ != nullptr) *view_ = *view_ + 1;
    }

  private:
    volatile std::uint64_t* view_ = nullptr;
};

}  // namespace varnok::platform::win32
