#pragma once
// The pause-and-clock port over kernel32: Sleep for the blocking pauses, the
// system clock for the date and time, and a generator seeded from the clock.

#include <random>

#include "ports/Clock.h"

namespace varnok::platform::win32 {

class Win32Clock : public engine::Clock {
  public:
    void sleepMs(std::uint32_t ms) override;
    std::chrono::system_clock::time_point now() override;
    void seedFromClock() override;
    double random() override;

  private:
    std::mt19937 generator_{5489u};
    std::uniform_real_distribution<double> unit_{0.0, 1.0};
};

}  // namespace varnok::platform::win32
