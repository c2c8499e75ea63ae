// The clock against the system's: the pause, the time of day, random numbers.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include "Win32TestSupport.h"
#include "platform/win32/Win32Clock.h"

namespace {

TEST(Win32Clock, PausesTellsTheTimeAndSpreadsRandomNumbers) {
    varnok::platform::win32::Win32Clock clock;
    auto start = std::chrono::steady_clock::now();
    clock.sleepMs(60);
    EXPECT_GE(win32test::millisecondsSince(start), 55);
    long long difference =
        std::chrono::duration_cast<std::chrono::seconds>(clock.now().time_since_epoch()).count() -
        static_cast<long long>(std::time(nullptr));
    EXPECT_TRUE(difference >= -2 && difference <= 2) << difference;
    clock.seedFromClock();
    bool inRange = true;
    double lowest = 1.0, highest = 0.0;
    for (int i = 0; i < 2000; ++i) {
        double value = clock.random();
        inRange = inRange && value >= 0.0 && value < 1.0;
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_TRUE(inRange);
    EXPECT_TRUE(lowest < 0.05 && highest > 0.95);  // spread over the whole range
}

}  // namespace
