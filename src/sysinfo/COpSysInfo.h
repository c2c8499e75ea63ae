#pragma once
// The operating system's description, read once at creation and immutable:
// the printable name and the build number the status line shows.

#include <cstdint>
#include <string>

#include "ports/VersionRecord.h"

namespace varnok::sysinfo {

class COpSysInfo {
  public:
    explicit COpSysInfo(VersionSource& source);

    // Low 16 bits of the reported build, read as a signed 16-bit value.
    std::int32_t BuildNumber() const;
    std::string Platform() const;

  private:
    std::string ntPlatform() const;

    VersionRecord record_;
    bool isWin2K_ = false;
    bool isWin95_ = false;
    bool isWin98_ = false;
};

}  // namespace varnok::sysinfo
