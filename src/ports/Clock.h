#pragma once
// The pause-and-clock port: blocking pauses, the local time and random numbers.
// The Win32 adapter sleeps for real; tests use a clock that records pauses.

#include <chrono>
#include <cstdint>

namespace varnok::engine {

class Clock {
  public:
    virtual ~Clock() = default;
    // Blocks the whole program for `ms` milliseconds: no window, timer or game
    // text is handled meanwhile.
    virtual void sleepMs(std::uint32_t ms) = 0;
    // The current local date and time.
    virtual std::chrono::system_clock::time_point now() = 0;
    // Seeds the random generator from the clock.
    virtual void seedFromClock() = 0;
    // A random number in [0, 1).
    virtual double random() = 0;
};

// Pauses for `seconds` held in single precision, rounded down to whole
// milliseconds: 0.7 lies just below 0.7 as a float, so it lasts 699 ms.
std::uint32_t pauseMilliseconds(float seconds);
void waitSeconds(Clock& clock, float seconds);

}  // namespace varnok::engine
