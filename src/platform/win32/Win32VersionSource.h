#pragma once
// The version-record port over GetVersionExA. The program's manifest declares
// the Windows versions it supports, so from Windows 8.1 on the call reports the
// true version rather than 6.2.

#include "ports/VersionRecord.h"

namespace varnok::platform::win32 {

class Win32VersionSource : public sysinfo::VersionSource {
  public:
    sysinfo::VersionRecord read() override;
};

}  // namespace varnok::platform::win32
