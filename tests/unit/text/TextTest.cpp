#include <gtest/gtest.h>

#include "ports/Clock.h"
#include "text/Text.h"

using namespace varnok;

namespace {

TEST(Text, SearchesIgnoreLetterCaseIncludingAccentedLetters) {
    EXPECT_EQ(text::findNoCase("Kyle ENTERED the game", " entered the"), 4u);
    EXPECT_TRUE(text::containsNoCase("x TIMELIMIT hit.", "timelimit"));
    EXPECT_TRUE(text::beginsWithNoCase("\xC9lan renamed", "\xE9LAN"));
    EXPECT_FALSE(text::beginsWithNoCase("ab", "abc"));
    EXPECT_EQ(text::findNoCase("abc", ""), 0u);
    EXPECT_EQ(text::findNoCase("abc", "d"), std::string::npos);
}

TEST(Text, ReplacesEveryOccurrenceWhateverItsCase) {
    EXPECT_EQ(text::replaceAllNoCase("%s beat %S and %d", "%s", "Kyle"), "Kyle beat Kyle and %d");
    EXPECT_EQ(text::replaceAllNoCase("%d%D", "%d", "x"), "xx");
    EXPECT_EQ(text::replaceAllNoCase("none", "%s", "x"), "none");
    // A value holding the placeholder is not replaced again.
    EXPECT_EQ(text::replaceAllNoCase("%s", "%s", "%s!"), "%s!");
}

TEST(Text, CutsThatWouldBeNegativeGiveNothing) {
    EXPECT_EQ(text::dropLast("abc\r\n", 2), "abc");
    EXPECT_EQ(text::dropLast("a", 2), std::nullopt);
    EXPECT_EQ(text::lastChars("abcdef", 2), "ef");
    EXPECT_EQ(text::lastChars("ab", 5), "ab");
    EXPECT_EQ(text::before("Kyle entered the game", " ENTERED"), "Kyle");
    EXPECT_EQ(text::before("x", "y"), std::nullopt);
    EXPECT_EQ(text::afterMarker("P: !load main\r\n", ": !load", 8), "main\r\n");
    EXPECT_EQ(text::afterMarker("P: !load", ": !load", 8), std::nullopt);
    EXPECT_EQ(text::trimBlanks("  12 "), "12");
    EXPECT_EQ(text::trimBlanks("   "), "");
}

TEST(Text, TrimAtNullKeepsTheTextBeforeTheFirstZero) {
    EXPECT_EQ(text::trimAtNull(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(text::trimAtNull("abc"), "abc");
}

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
