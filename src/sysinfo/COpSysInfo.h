#pragma once
// The operating system's description, read once at creation and immutable:
// version numbers, the platform family and a printable name for the status line.

#include <cstdint>
#include <string>

#include "ports/VersionRecord.h"

namespace varnok::sysinfo {

class COpSysInfo {
  public:
    explicit COpSysInfo(VersionSource& source);

    std::int32_t MajorVersion() const { return static_cast<std::int32_t>(record_.majorVersion); }
    std::int32_t MinorVersion() const { return static_cast<std::int32_t>(record_.minorVersion); }
    // Low 16 bits of the reported build, read as a signed 16-bit value.
    std::int32_t BuildNumber() const;
    std::int32_t PlatformID() const { return static_cast<std::int32_t>(record_.platformId); }
    bool IsWin2K() const { return isWin2K_; }
    bool IsWinNT() const { return isWinNT_; }
    bool IsWin9x() const { return isWin95_ || isWin98_; }
    bool IsWin95() const { return isWin95_; }
    bool IsWin98() const { return isWin98_; }
    std::string Platform() const;
    std::string Version() const;
    std::string CSDVersion() const;

  private:
    std::string ntPlatform() const;

    VersionRecord record_;
    bool isWinNT_ = false;
    bool isWin2K_ = false;
    bool isWin95_ = false;
    bool isWin98_ = false;
};

}  // namespace varnok::sysinfo
