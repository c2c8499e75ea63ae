#include "sysinfo/COpSysInfo.h"

namespace varnok::sysinfo {

namespace {
constexpr std::uint32_t kPlatform9x = 1;
constexpr std::uint32_t kPlatformNT = 2;

std::int32_t lowWordSigned(std::uint32_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFFu));
}
}  // namespace

COpSysInfo::COpSysInfo(VersionSource& source) : record_(source.read()) {
    if (record_.platformId == kPlatform9x) {
        isWin95_ = record_.minorVersion < 10;
        isWin98_ = !isWin95_;
    } else if (record_.platformId == kPlatformNT) {
        isWin2K_ = record_.majorVersion > 4;
    }
}

std::int32_t COpSysInfo::BuildNumber() const {
    return lowWordSigned(record_.buildNumber);
}

std::string COpSysInfo::Platform() const {
    if (isWin95_) return "Windows 95";
    if (isWin98_) return "Windows 98";
    if (isWin2K_) return ntPlatform();
    return "Windows NT";
}

// The NT versions from 5.0 on, by name; an unknown newer one by its numbers.
std::string COpSysInfo::ntPlatform() const {
    const auto major = record_.majorVersion;
    const auto minor = record_.minorVersion;
    if (major == 5 && minor == 0) return "Windows 2000";
    if (major == 5 && minor == 1) return "Windows XP";
    if (major == 5 && minor == 2) return "Windows Server 2003";
    if (major == 6 && minor == 0) return "Windows Vista";
    if (major == 6 && minor == 1) return "Windows 7";
    if (major == 6 && minor == 2) return "Windows 8";
    if (major == 6 && minor == 3) return "Windows 8.1";
    if (major == 10 && minor == 0)
        return (record_.buildNumber & 0xFFFFu) >= 22000 ? "Windows 11" : "Windows 10";
    return "Windows " + std::to_string(major) + "." + std::to_string(minor);
}

}  // namespace varnok::sysinfo
