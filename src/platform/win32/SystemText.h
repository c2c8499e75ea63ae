#pragma once
// Conversions between the program's 8-bit text and the system's UTF-16, in the
// system code page (CP_ACP). Every file name, path and song that goes to or
// comes from a wide system call passes through here, as do the paths of
// text/SystemPath.h.

#include <string>
#include <string_view>

namespace varnok::platform::win32 {

std::wstring toWide(std::string_view text);
std::string fromWide(std::wstring_view wide);

}  // namespace varnok::platform::win32
