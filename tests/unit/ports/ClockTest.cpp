#include <gtest/gtest.h>

#include "ports/Clock.h"
#include "text/Text.h"

using namespace varnok;

namespace {

TEST(Clock, PausesAreRoundedDownFromSinglePrecision) {
    EXPECT_EQ(engine::pauseMilliseconds(1.0f), 1000u);
    EXPECT_EQ(engine::pauseMilliseconds(0.9f), 899u);
    EXPECT_EQ(engine::pauseMilliseconds(0.7f), 699u);
    EXPECT_EQ(engine::pauseMilliseconds(0.6f), 600u);
    EXPECT_EQ(engine::pauseMilliseconds(3.5f), 3500u);
    EXPECT_EQ(engine::pauseMilliseconds(0.0f), 0u);
    EXPECT_EQ(engine::pauseMilliseconds(-1.0f), 0u);
}

}  // namespace
