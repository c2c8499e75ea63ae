#pragma once
// The pause-and-clock port: blocking pauses, the local time and random numbers.
// The Win32 adapter sleeps for real; tests use a clock that records pauses.

#include <cstdint>
#include <functional>

#include "ports/Time.h"

namespace varnok::engine {

class Clock {
  public:
    virtual ~Clock() = default;
    // Blocks the whole program for `ms` milliseconds: no window, timer or
    // handler runs meanwhile; only the watch does, every few milliseconds.
    virtual void sleepMs(std::uint32_t ms) = 0;
    // The current local date and time.
    virtual TimePoint now() = 0;
    // Seeds the random generator from the clock.
    virtual void seedFromClock() = 0;
    // A random number in [0, 1).
    virtual double random() = 0;

    // What still runs while a pause blocks the program: the engine reads the
    // game's console there, so that a line printed during a reply's pause is
    // seen as it is printed. It types nothing and runs no window handler.
    // Empty: pauses only wait.
    void watchDuringPauses(std::function<void()> watch) { watch_ = std::move(watch); }
    bool watched() const { return static_cast<bool>(watch_); }

  protected:
    // For sleepMs: runs the watch, never inside itself.
    void watchNow();

  private:
    std::function<void()> watch_;
    bool watching_ = false;
};

// Pauses for `seconds` held in single precision, rounded down to whole
// milliseconds: 0.7 lies just below 0.7 as a float, so it lasts 699 ms.
std::uint32_t pauseMilliseconds(float seconds);
void waitSeconds(Clock& clock, float seconds);

}  // namespace varnok::engine
