#include <gtest/gtest.h>

#include "commands/Commands.h"

using namespace varnok;
using namespace varnok::commands;

namespace {

TEST(CommandArgument, StartsAFixedDistanceAfterTheMarkerAndDropsTheLineBreak) {
    EXPECT_EQ(commandArgument("Kyle: !load duels\r\n", ": !load", 8), "duels");
    EXPECT_EQ(commandArgument("Kyle: !LOAD Two Words\r\n", ": !load", 8), "Two Words");
    EXPECT_EQ(commandArgument("Kyle: !playlist rock\r\n", ": !playlist", 12), "rock");
    // "!vol" keeps the blank before its number.
    EXPECT_EQ(commandArgument("Kyle: !vol 12\r\n", " !vol", 5), " 12");
    // Whatever stands eight characters on is taken: "!playfoo" searches for "oo".
    EXPECT_EQ(commandArgument("Kyle: !playfoo\r\n", ": !play", 8), "oo");
    EXPECT_EQ(commandArgument("Kyle: !play \r\n", ": !play", 8), "");
    // Only the command's own line: a line printed after it in the same turn stays out.
    EXPECT_EQ(commandArgument("Kyle: !load duels\r\nJan: hi\r\n", ": !load", 8), "duels");
}

TEST(CommandArgument, ACutThatWouldBeNegativeGivesNothing) {
    EXPECT_EQ(commandArgument("Kyle: !load", ": !load", 8), std::nullopt);
    EXPECT_EQ(commandArgument("Kyle: !load\r\n", ": !load", 8), std::nullopt);
    EXPECT_EQ(commandArgument("Kyle: !load\r\nJan: x\r\n", ": !load", 8), std::nullopt);
    EXPECT_EQ(commandArgument("Kyle: !load x", ": !load", 8), std::nullopt);
    EXPECT_EQ(commandArgument("Kyle: hello\r\n", ": !load", 8), std::nullopt);
}

TEST(CommandArgument, FileNamesMayNotLeaveTheSavesFolderNorNameADevice) {
    EXPECT_TRUE(isPlainFileName("duels"));
    EXPECT_TRUE(isPlainFileName("my set.v2"));
    EXPECT_TRUE(isPlainFileName(""));
    for (const char* name : {"../secret", "..", "a/b", "a\\b", "C:evil", "x..y", "\\\\server\\s"})
        EXPECT_FALSE(isPlainFileName(name)) << name;
    // Device names, which Windows opens as devices whatever the folder.
    for (const char* name : {"CON", "con", "Prn", "aux.vnk", "NUL.txt.old", "nul ", "com1", "COM9",
                             "lpt5.lst", "Lpt1 .x", "com\xB9"})
        EXPECT_FALSE(isPlainFileName(name)) << name;
    for (const char* name :
         {"console", "com", "com0", "com10", "lpt", "auxiliary", "my con", "xnul"})
        EXPECT_TRUE(isPlainFileName(name)) << name;
}

TEST(CommandArgument, VolumeIsTheWholePartOfADecimalNumber) {
    EXPECT_EQ(volumeArgument(" 12"), 12);
    EXPECT_EQ(volumeArgument(" 25"), 25);
    EXPECT_EQ(volumeArgument(" -1"), -1);
    EXPECT_EQ(volumeArgument("7.9 "), 7);
    EXPECT_EQ(volumeArgument("-0.5"), -1);
    EXPECT_EQ(volumeArgument(" 32767"), 32767);
    EXPECT_EQ(volumeArgument("-32768"), -32768);
    EXPECT_EQ(volumeArgument(" 32768"), std::nullopt);
    EXPECT_EQ(volumeArgument("-32769"), std::nullopt);
    EXPECT_EQ(volumeArgument(" loud"), std::nullopt);
    EXPECT_EQ(volumeArgument(""), std::nullopt);
}

}  // namespace
