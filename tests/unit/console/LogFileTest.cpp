// Reading a file another program keeps writing.
#include <gtest/gtest.h>

#include <fstream>

#include "common/TempFolder.h"
#include "console/LogFile.h"

using namespace varnok;

namespace {

// What the file got since the last read; a file emptied by a new game start
// is read from its start.
TEST(LogFile, GivesWhatTheFileGotAndStartsAgainWhenItWasEmptied) {
    testsupport::TempFolder folder;
    const std::filesystem::path path = folder.path() / "qconsole.log";
    console::LogFile log(path);
    EXPECT_EQ(log.readNew(), std::nullopt);
    std::ofstream(path, std::ios::binary) << "logfile opened on x\nfirst\n";
    EXPECT_EQ(log.readNew()->bytes, "logfile opened on x\nfirst\n");
    std::ofstream(path, std::ios::binary | std::ios::app) << "second";
    EXPECT_EQ(log.readNew()->bytes, "second");
    EXPECT_EQ(log.readNew()->bytes, "");
    std::ofstream(path, std::ios::binary) << "new\n";
    const std::optional<console::LogFile::Read> again = log.readNew();
    EXPECT_TRUE(again->emptied);
    EXPECT_EQ(again->bytes, "new\n");
    EXPECT_EQ(log.readTail(3), "ew\n");
}

}  // namespace
