// Keeping to the server's flood guard: the gap before a say, the echo that
// confirms it, the second try of a dropped one and a server that wants more.
#include <gtest/gtest.h>

#include "console/FloodGuard.h"

using namespace varnok;
using namespace varnok::console;
using namespace std::chrono_literals;

namespace {

struct FloodGuardTest : ::testing::Test {
    FloodGuard guard;
    TimePoint t0{};
    TimePoint at(std::chrono::milliseconds ms) const { return t0 + ms; }
    void knowName() { guard.notice("\"name\" is:\"Kyle\"", "Kyle", t0); }
    void answers(std::chrono::milliseconds ms) { guard.asked(at(ms), at(ms), true); }
};

// A second and a margin after the last client command Varnok knows of: its
// own say, or the player's own chat from when it shows; not another player's
// chat, and not the echo of Varnok's own say.
TEST_F(FloodGuardTest, ASayWaitsTheGapAfterEveryCommandOfThePlayersGame) {
    knowName();
    EXPECT_EQ(guard.rest(t0), 0ms);
    guard.typed("say one", at(0ms));
    EXPECT_EQ(guard.rest(at(1000ms)), 1000ms);      // its echo is awaited first
    guard.notice("Kyle: one", "Kyle", at(1100ms));  // the echo: no command of its own
    EXPECT_EQ(guard.rest(at(1100ms)), 100ms);
    guard.notice("Jan: hi", "Kyle", at(1150ms));
    EXPECT_EQ(guard.rest(at(1200ms)), 0ms);
    for (const char* own : {"Kyle: hello", "(Kyle): team", "[Kyle]: psst"}) {
        guard.notice(own, "Kyle", at(2000ms));
        EXPECT_EQ(guard.rest(at(2500ms)), 700ms) << own;
    }
    EXPECT_EQ(guard.rest(at(1000ms)), FloodGuard::kGap);  // a clock set back
}

// A say not printed back in time is typed once more, never a third time,
// and each one lost makes the gap half a second longer, up to three seconds;
// in time means until the game ran again after the deadline.
TEST_F(FloodGuardTest, ADroppedSayIsTriedOnceMoreAndTheGapGrows) {
    knowName();
    guard.typed("say one", at(0ms));
    EXPECT_EQ(guard.nextDeadline(), at(2000ms));
    EXPECT_EQ(guard.rest(at(1500ms)), 500ms);  // the next waits until it is given up on
    answers(1999ms);
    EXPECT_EQ(guard.takeDropped(at(1999ms)), std::nullopt);
    // Due, but the game stalled since (it answered late): the say went out,
    // or its echo came in, only once it ran again, half a second ago at least.
    guard.asked(at(2300ms), at(2500ms), true);
    EXPECT_EQ(guard.takeDropped(at(2500ms)), std::nullopt);
    EXPECT_EQ(guard.rest(at(2500ms)), FloodGuard::kAfterStall);
    answers(2600ms);
    EXPECT_EQ(guard.takeDropped(at(2600ms)), std::nullopt);
    EXPECT_TRUE(guard.owesAnswer(at(3050ms)));
    EXPECT_EQ(guard.rest(at(3050ms)), FloodGuard::kAnswerPoll);
    answers(3050ms);
    EXPECT_EQ(guard.takeDropped(at(3050ms)), "say one");
    EXPECT_EQ(guard.gap(), 1700ms);
    guard.typed("say one", at(3050ms), true);
    answers(5050ms);
    EXPECT_EQ(guard.takeDropped(at(5050ms)), std::nullopt);  // lost again: no third try
    EXPECT_EQ(guard.gap(), 2200ms);
    for (int i = 0; i < 5; ++i) {
        guard.typed("say more", at(6000ms), true);
        answers(9000ms);
        guard.takeDropped(at(9000ms));
    }
    EXPECT_EQ(guard.gap(), FloodGuard::kMostGap);
    guard.reset();  // another game
    EXPECT_EQ(guard.gap(), FloodGuard::kGap);
    EXPECT_EQ(guard.nextDeadline(), std::nullopt);
}

// Confirmed by its echo, in any order of several; not connected, or typed
// before the name was known, there is no second try.
TEST_F(FloodGuardTest, AnEchoConfirmsAndUnknownCommandEndsTheWait) {
    guard.typed("say before the name", at(0ms));
    EXPECT_EQ(guard.nextDeadline(), std::nullopt);
    knowName();
    guard.typed("say ^1one   two", at(0ms));
    guard.typed("say 50%", at(1200ms));
    guard.notice("]say 50%", "Kyle", at(1210ms));  // typed, not said
    guard.notice("Kyle: 50.", "Kyle", at(1300ms));
    guard.notice("[Admin] Kyle: one two", "Kyle", at(1400ms));  // dressed by a server's mod
    EXPECT_EQ(guard.nextDeadline(), std::nullopt);
    EXPECT_EQ(guard.gap(), FloodGuard::kGap);

    guard.typed("say offline", at(5000ms));
    guard.notice("Unknown command \"say\"", "Kyle", at(5010ms));
    answers(9000ms);
    EXPECT_EQ(guard.takeDropped(at(9000ms)), std::nullopt);
    // A slow server's round trip makes the wait for the echo longer.
    guard.typed("say slow", at(10000ms));
    guard.notice("Kyle: slow", "Kyle", at(11500ms));
    guard.typed("say next", at(12000ms));
    EXPECT_EQ(guard.nextDeadline(), at(15000ms));
}

}  // namespace
