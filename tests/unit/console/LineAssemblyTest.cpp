// Text that arrives in pieces, cut into complete lines.
#include <gtest/gtest.h>

#include "console/LineAssembly.h"

using namespace varnok;
using namespace std::chrono_literals;

namespace {

using Lines = std::vector<std::string>;

// CR LF, an LF alone and a CR before anything but LF each end a line; a CR
// at the end of a piece may be the first half of CR LF, so it waits.
TEST(LineAssembly, EachLineEndsOnceWhateverThePiecesCut) {
    console::LineAssembly lines;
    const TimePoint t0{};
    EXPECT_EQ(lines.add("a\r\nb\nc\rd", t0), (Lines{"a\r\n", "b\r\n", "c\r\n"}));
    EXPECT_EQ(lines.add("\r", t0), Lines{});
    EXPECT_EQ(lines.add("\ne", t0), Lines{"d\r\n"});
    EXPECT_TRUE(lines.waiting());
    lines.clear();
    EXPECT_EQ(lines.add("f\r\n", t0), Lines{"f\r\n"});
}

// The start of a line waits for its end from when it began, at most
// kLineWait; a line that ends meanwhile restarts the wait for the next.
TEST(LineAssembly, ALineWithoutItsEndIsTakenAfterItsWait) {
    console::LineAssembly lines;
    const TimePoint t0{};
    EXPECT_EQ(lines.due(), std::nullopt);
    lines.add("Jan", t0);
    EXPECT_EQ(lines.due(), t0 + console::LineAssembly::kLineWait);
    EXPECT_EQ(lines.overdue(t0 + 299ms), std::nullopt);
    EXPECT_EQ(lines.add(" was sabered\r\nby", t0 + 200ms), Lines{"Jan was sabered\r\n"});
    EXPECT_EQ(lines.overdue(t0 + 400ms), std::nullopt);
    EXPECT_EQ(lines.overdue(t0 + 500ms), "by\r\n");
    EXPECT_FALSE(lines.waiting());
    lines.add("x\r", t0);  // a CR that never got its LF is no part of the line
    EXPECT_EQ(lines.overdue(t0 + 1s), "x\r\n");
}

}  // namespace
