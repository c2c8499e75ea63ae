#pragma once
// The version-record port: what the system reports of its own version
// (GetVersionExA on Windows; a record given by the test elsewhere).

#include <cstdint>
#include <string>

namespace varnok::sysinfo {

struct VersionRecord {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    std::string csdVersion;  // the fixed 128-byte service-pack field, as read
};

class VersionSource {
  public:
    virtual ~VersionSource() = default;
    virtual VersionRecord read() = 0;
};

}  // namespace varnok::sysinfo
