#include "platform/win32/Win32VersionSource.h"

#include <windows.h>

namespace varnok::platform::win32 {

static_assert(sizeof(OSVERSIONINFOA) == 148, "the ANSI version record is 148 bytes");

sysinfo::VersionRecord Win32VersionSource::read() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    // The result is not tested: a failed call leaves the zeroed record.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&info);
#pragma GCC diagnostic pop

    sysinfo::VersionRecord record;
    record.majorVersion = info.dwMajorVersion;
    record.minorVersion = info.dwMinorVersion;
    record.buildNumber = info.dwBuildNumber;
    record.platformId = info.dwPlatformId;
    record.csdVersion.assign(info.szCSDVersion, sizeof(info.szCSDVersion));
    return record;
}

}  // namespace varnok::platform::win32
