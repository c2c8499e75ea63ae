#pragma once
// A clock that records pauses instead of sleeping, with scripted random
// numbers. Time moves only in pauses; a pause moves it in steps, running what
// a test scheduled for that time and the watch after each step, as a real
// watched pause looks at the console every few milliseconds.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "ports/Clock.h"

namespace varnok::fakes {

class FakeClock : public engine::Clock {
  public:
    static constexpr std::uint32_t kStepMs = 50;

    void sleepMs(std::uint32_t ms) override {
        pauses.push_back(ms);
        for (std::uint32_t left = ms; left > 0;) {
            const std::uint32_t step = left < kStepMs ? left : kStepMs;
            elapsedMs += step;
            left -= step;
            runDue();
            watchNow();
        }
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

    // Runs `action` in the first pause step that reaches `atMs` of elapsed time.
    void at(std::uint64_t atMs, std::function<void()> action) {
        scheduled.emplace(atMs, std::move(action));
    }

    std::vector<std::uint32_t> pauses;
    std::uint64_t elapsedMs = 0;
    std::deque<double> randoms;
    int seeds = 0;
    std::chrono::system_clock::time_point start{};
    std::multimap<std::uint64_t, std::function<void()>> scheduled;

  private:
    void runDue() {
        while (!scheduled.empty() && scheduled.begin()->first <= elapsedMs) {
            std::function<void()> action = std::move(scheduled.begin()->second);
            scheduled.erase(scheduled.begin());
            action();
        }
    }
};

}  // namespace varnok::fakes
