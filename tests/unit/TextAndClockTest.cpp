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
