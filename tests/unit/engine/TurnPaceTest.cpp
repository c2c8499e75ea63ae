// The time between turns, for a polled ear and a told one.
#include <gtest/gtest.h>

#include "engine/TurnPace.h"

using namespace varnok;
using namespace std::chrono_literals;
using engine::TurnPace;

namespace {

const console::Wakes kPolled{.polled = true};

Ms waitOf(const std::optional<TurnPace::Wait>& wait) {
    return wait ? wait->most : Ms(-1);
}

// At once after text, fast within the busy spell, slow after it; with no
// game, the search's interval; a clock set back counts as busy.
TEST(TurnPace, APolledEarIsLookedAtOftenerWhileTheGameIsBusy) {
    TurnPace pace;
    const TimePoint t0 = TimePoint{} + 1h;
    EXPECT_EQ(waitOf(pace.after(t0, false, &kPolled, {})), TurnPace::kQuietWait);
    EXPECT_EQ(pace.after(t0, true, &kPolled, {}), std::nullopt);
    EXPECT_EQ(waitOf(pace.after(t0 + 299ms, false, &kPolled, {})), TurnPace::kBusyWait);
    EXPECT_EQ(waitOf(pace.after(t0 + 300ms, false, &kPolled, {})), TurnPace::kQuietWait);
    EXPECT_EQ(waitOf(pace.after(t0 - 1s, false, &kPolled, {})), TurnPace::kBusyWait);
    EXPECT_EQ(waitOf(pace.after(t0, false, nullptr, {})), TurnPace::kSearchWait);
}

// A told ear waits for what is due next, its own or the loop's; text soon
// after text makes it looked at again a while later instead of told, the
// first text after quiet does not.
TEST(TurnPace, AToldEarWaitsUntilTheNextThingDueAndGathersABusyGamesText) {
    TurnPace pace;
    const TimePoint t0 = TimePoint{} + 1h;
    console::Wakes told{.polled = false, .due = t0 + 700ms};
    EXPECT_EQ(waitOf(pace.after(t0, false, &told, t0 + 900ms)), 700ms);
    EXPECT_EQ(waitOf(pace.after(t0, false, &told, t0 + 100ms)), 100ms);
    told.due.reset();
    EXPECT_EQ(waitOf(pace.after(t0, false, &told, {})), TurnPace::kLongestWait);
    EXPECT_EQ(waitOf(pace.after(t0, false, &told, t0 - 5ms)), 0ms);

    const std::optional<TurnPace::Wait> first = pace.after(t0, true, &told, {});
    EXPECT_TRUE(first->watchFolders);
    const std::optional<TurnPace::Wait> next = pace.after(t0 + 100ms, true, &told, {});
    EXPECT_FALSE(next->watchFolders);
    EXPECT_EQ(next->most, TurnPace::kGather);
    EXPECT_TRUE(pace.after(t0 + 1s, true, &told, {})->watchFolders);
}

}  // namespace
