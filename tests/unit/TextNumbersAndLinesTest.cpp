#include <gtest/gtest.h>

#include "text/Text.h"

using namespace varnok;

namespace {

using Lines = std::vector<std::string>;

TEST(TextLines, EndAtCrLfOrACrAlone) {
    EXPECT_EQ(text::splitLines("a\r\nb\rc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(text::splitLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(text::splitLines("a\r\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(text::splitLines(""), Lines{});
    EXPECT_EQ(text::splitLines("\r\n"), Lines{""});
    // A line feed alone is no line end.
    EXPECT_EQ(text::splitLines("a\nb\r\n"), Lines{"a\nb"});
}

TEST(TextNumbers, WholeNumbersAllowBlanksAndASign) {
    EXPECT_EQ(text::parseWholeNumber(" 12 "), 12);
    EXPECT_EQ(text::parseWholeNumber("0"), 0);
    EXPECT_EQ(text::parseWholeNumber("-3"), -3);
    EXPECT_EQ(text::parseWholeNumber("+4"), 4);
    for (const char* bad : {"", "  ", "-", "1 2", "1.0", "x1", "1x", "99999999999999999999"})
        EXPECT_EQ(text::parseWholeNumber(bad), std::nullopt) << bad;
}

TEST(TextNumbers, DecimalsAllowAFractionAfterAPoint) {
    EXPECT_DOUBLE_EQ(*text::parseDecimal(" 12"), 12.0);
    EXPECT_DOUBLE_EQ(*text::parseDecimal("7.5 "), 7.5);
    EXPECT_DOUBLE_EQ(*text::parseDecimal("-1"), -1.0);
    EXPECT_DOUBLE_EQ(*text::parseDecimal(".25"), 0.25);
    EXPECT_DOUBLE_EQ(*text::parseDecimal("3."), 3.0);
    for (const char* bad : {"", " ", ".", "-", "abc", "1.2.3", "1e3", "12 3", "twelve"})
        EXPECT_EQ(text::parseDecimal(bad), std::nullopt) << bad;
}

}  // namespace
