#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace varnok::platform::win32 {

void Win32Clock::sleepMs(std::uint32_t ms) {
    Sleep(ms);
}

std::chrono::system_clock::time_point Win32Clock::now() {
    return std::chrono::system_clock::now();
}

void Win32Clock::seedFromClock() {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    std::seed_seq seed{static_cast<std::uint32_t>(counter.QuadPart),
                       static_cast<std::uint32_t>(counter.QuadPart >> 32),
                       static_cast<std::uint32_t>(GetTickCount())};
    generator_.seed(seed);
}

double Win32Clock::random() {
    // The distribution can round up to 1.0 for some generator outputs; keep it below.
    double value = unit_(generator_);
    return value < 1.0 ? value : 0.0;
}

}  // namespace varnok::platform::win32
