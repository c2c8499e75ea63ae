// The version source against the system it runs on.

#include <gtest/gtest.h>

#include "platform/win32/Win32VersionSource.h"

namespace {

TEST(Win32VersionSource, ReadsAnNtVersionWithItsServicePackField) {
    varnok::sysinfo::VersionRecord record = varnok::platform::win32::Win32VersionSource().read();
    EXPECT_EQ(record.platformId, 2u);
    EXPECT_GE(record.majorVersion, 5u);
    EXPECT_NE(record.buildNumber & 0xFFFF, 0u);
    EXPECT_EQ(record.csdVersion.size(), 128u);
}

}  // namespace
