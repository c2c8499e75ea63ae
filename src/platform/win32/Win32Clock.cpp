#include "platform/win32/Win32Clock.h"

#include <windows.h>

#include <algorithm>

namespace varnok::platform::win32 {

namespace {
// How often a watched pause looks at the game's console.
constexpr std::uint64_t kWatchEveryMs = 20;

std::uint64_t millisecondsNow() {
    LARGE_INTEGER counter{}, frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<std::uint64_t>(counter.QuadPart) * 1000 /
           static_cast<std::uint64_t>(frequency.QuadPart);
}
}  // namespace

// A watched pause sleeps in short steps and watches after each; it ends when
// its time is up, however long the watching took.
void Win32Clock::sleepMs(std::uint32_t ms) {
    if (!watched()) {
        Sleep(ms);
        return;
    }
    const std::uint64_t end = millisecondsNow() + ms;
    for (std::uint64_t now = millisecondsNow(); now < end; now = millisecondsNow()) {
        Sleep(static_cast<DWORD>(std::min(end - now, kWatchEveryMs)));
        watchNow();
    }
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
