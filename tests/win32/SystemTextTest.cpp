// The text rule of the Windows build: a .m3u8 playlist's UTF-8 in the system
// code page. A letter the code page has comes through, one it lacks (or has
// only a look-alike of) gives nothing.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "text/SystemPath.h"

namespace {

using varnok::text::fromUtf8;

TEST(SystemText, Utf8ComesIntoTheCodePageOrGivesNothing) {
    EXPECT_EQ(fromUtf8(""), std::string());
    EXPECT_EQ(fromUtf8("song.mp3"), std::string("song.mp3"));
    EXPECT_FALSE(fromUtf8("\xFF.mp3"));
    EXPECT_FALSE(fromUtf8("\xE6\x97\xA5.mp3"));  // a CJK letter
    if (GetACP() != 1252) GTEST_SKIP() << "code page " << GetACP();
    EXPECT_EQ(fromUtf8("Beyonc\xC3\xA9 \xE2\x80\x99"), std::string("Beyonc\xE9 \x92"));
    EXPECT_FALSE(fromUtf8("\xC4\x97.mp3"));  // e with a dot above: best fit would give e
}

}  // namespace
