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

TEST(Text, AsciiCaseLeavesEveryOtherByte) {
    EXPECT_EQ(text::lowerCaseAscii("Base_\xC9\x8A.PK3"), "base_\xC9\x8A.pk3");
    EXPECT_EQ(text::upperCaseAscii("base_\xE9\x9A.pk3"), "BASE_\xE9\x9A.PK3");
}

TEST(Text, ColourCodesAreDigitsZeroToSevenAfterACaret) {
    EXPECT_EQ(text::stripColourCodes("^1Kyle^7: ^2hi"), "Kyle: hi");
    EXPECT_EQ(text::stripColourCodes("^8 ^^1x^"), "^8 ^x^");
    EXPECT_TRUE(text::isColourDigit('0') && text::isColourDigit('7'));
    EXPECT_FALSE(text::isColourDigit('8') || text::isColourDigit('^'));
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
    EXPECT_EQ(text::trimBlanks("\t12 "), "\t12");
    EXPECT_EQ(text::trimBlanks("\t1 2 \t", text::kBlanksAndTabs), "1 2");
}

TEST(Text, TrimAtNullKeepsTheTextBeforeTheFirstZero) {
    EXPECT_EQ(text::trimAtNull(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(text::trimAtNull("abc"), "abc");
}

using Lines = std::vector<std::string_view>;

TEST(TextLines, EndAtCrLfOrACrAloneInVarnoksOwnFiles) {
    constexpr auto ends = text::LineEnds::CrLfOrCr;
    EXPECT_EQ(text::splitLines("a\r\nb\rc", ends), (Lines{"a", "b", "c"}));
    EXPECT_EQ(text::splitLines("a\r\n\r\nb\r\n", ends), (Lines{"a", "", "b"}));
    EXPECT_EQ(text::splitLines("a\r\r\n", ends), (Lines{"a", ""}));
    EXPECT_EQ(text::splitLines("", ends), Lines{});
    EXPECT_EQ(text::splitLines("\r\n", ends), Lines{""});
    // A line feed alone is no line end.
    EXPECT_EQ(text::splitLines("a\nb\r\n", ends), Lines{"a\nb"});
}

TEST(TextLines, EndAtAnyLineEndInOtherProgramsFiles) {
    constexpr auto ends = text::LineEnds::CrLfCrOrLf;
    EXPECT_EQ(text::splitLines("a\nb\r\nc\rd", ends), (Lines{"a", "b", "c", "d"}));
    // "\n\r" is two line ends.
    EXPECT_EQ(text::splitLines("a\n\rb\n", ends), (Lines{"a", "", "b"}));
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
