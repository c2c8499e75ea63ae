#pragma once
// A clock that records pauses instead of sleeping, with scripted random numbers.

#include <cstdint>
#include <deque>
#include <vector>

#include "ports/Clock.h"

namespace varnok::fakes {

class FakeClock : public engine::Clock {
  public:
    void sleepMs(std::uint32_t ms) override {
        pauses.push_back(ms);
        elapsedMs += ms;
    }
    std::chrono::system_clock::time_point now() override {
        return start + std::chrono::milliseconds(elapsedMs);
    }
    void seedFromClock() override { ++seeds; }
    double random() override {
        if (randoms.empty()) return 0.5;
        double r = randoms.front();
        randoms.pop_front();
        return r;
    }

    std::vector<std::uint32_t> pauses;
    std::uint64_t elapsedMs = 0;
    std::deque<double> randoms;
    int seeds = 0;
    std::chrono::system_clock::time_point start{};
};

}  // namespace varnok::fakes
