#include <gtest/gtest.h>

#include "sysinfo/COpSysInfo.h"

using namespace varnok::sysinfo;

namespace {

class Given : public VersionSource {
  public:
    explicit Given(VersionRecord r) : r_(std::move(r)) {}
    VersionRecord read() override { return r_; }

  private:
    VersionRecord r_;
};

COpSysInfo make(std::uint32_t platform, std::uint32_t major, std::uint32_t minor,
                std::uint32_t build = 0) {
    Given source({major, minor, build, platform});
    return COpSysInfo(source);
}

TEST(SysInfo, NamesTheNtVersionsItKnows) {
    EXPECT_EQ(make(2, 5, 0).Platform(), "Windows 2000");
    EXPECT_EQ(make(2, 5, 1).Platform(), "Windows XP");
    EXPECT_EQ(make(2, 5, 2).Platform(), "Windows Server 2003");
    EXPECT_EQ(make(2, 6, 0).Platform(), "Windows Vista");
    EXPECT_EQ(make(2, 6, 1, 7601).Platform(), "Windows 7");
    EXPECT_EQ(make(2, 6, 2).Platform(), "Windows 8");
    EXPECT_EQ(make(2, 6, 3).Platform(), "Windows 8.1");
    EXPECT_EQ(make(2, 10, 0, 19045).Platform(), "Windows 10");
    EXPECT_EQ(make(2, 10, 0, 21999).Platform(), "Windows 10");
    EXPECT_EQ(make(2, 10, 0, 22000).Platform(), "Windows 11");
    EXPECT_EQ(make(2, 10, 0, 26100).Platform(), "Windows 11");
}

TEST(SysInfo, UnknownNewerNtVersionsReadAsTheirNumbers) {
    EXPECT_EQ(make(2, 6, 4).Platform(), "Windows 6.4");
    EXPECT_EQ(make(2, 11, 0).Platform(), "Windows 11.0");
}

TEST(SysInfo, OldNtTheNineXFamilyAndUnknownPlatforms) {
    EXPECT_EQ(make(2, 4, 0).Platform(), "Windows NT");
    EXPECT_EQ(make(2, 3, 51).Platform(), "Windows NT");
    EXPECT_EQ(make(1, 4, 0).Platform(), "Windows 95");
    EXPECT_EQ(make(1, 4, 10).Platform(), "Windows 98");
    EXPECT_EQ(make(1, 4, 90).Platform(), "Windows 98");
    // A platform of neither family is named NT, whatever its numbers.
    EXPECT_EQ(make(3, 10, 0).Platform(), "Windows NT");
}

TEST(SysInfo, BuildNumberIsTheLowWordSigned) {
    EXPECT_EQ(make(2, 5, 0, 2195).BuildNumber(), 2195);
    EXPECT_EQ(make(1, 4, 10, 0x040A08AE).BuildNumber(), 0x08AE);  // 9x: high word repeats 4.10
    EXPECT_EQ(make(2, 10, 0, 0x8000).BuildNumber(), -32768);
    EXPECT_EQ(make(2, 10, 0, 0xFFFF).BuildNumber(), -1);
}

}  // namespace
