// The game's log file turned into the pane's lines.
#include <gtest/gtest.h>

#include "console/LogLines.h"

using namespace varnok;
using namespace std::chrono_literals;

namespace {

using Lines = std::vector<std::string>;

// The pane's print rule first, whatever the reads cut: colour codes ^0-^7
// gone, "\n", "\r" and "\n\r" one line end each, other bytes as they are; a
// line waits for its end, a short while.
TEST(LogLines, TheLogsBytesBecomeThePanesLines) {
    console::LogLines lines;
    const TimePoint t0{};
    EXPECT_EQ(lines.add("Kyle^", t0), Lines{});
    EXPECT_EQ(lines.add("7: ^2hi ^8x\n", t0), Lines{"Kyle: hi ^8x\r\n"});
    EXPECT_EQ(lines.add("a\n", t0), Lines{"a\r\n"});
    EXPECT_EQ(lines.add("\rb\r\n\xE4\x82", t0), (Lines{"b\r\n", "\r\n"}));
    EXPECT_EQ(lines.overdue(t0 + 100ms), std::nullopt);
    EXPECT_EQ(lines.add(" was sabered by Jan", t0 + 100ms), Lines{});
    EXPECT_EQ(lines.overdue(t0 + 500ms), "\xE4\x82 was sabered by Jan\r\n");
}

}  // namespace
