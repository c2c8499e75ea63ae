#include "platform/win32/SystemText.h"

#include <windows.h>

#include "text/CodePage.h"
#include "text/SystemPath.h"

namespace varnok::platform::win32 {

std::wstring toWide(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string fromWide(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace varnok::platform::win32

// std::filesystem built from a std::string would read it as UTF-8 under
// mingw-w64; the wide form keeps the code page's meaning.
namespace varnok::text {

std::filesystem::path toPath(const std::string& text) {
    return std::filesystem::path(platform::win32::toWide(text));
}

std::string fromPath(const std::filesystem::path& path) {
    return platform::win32::fromWide(path.native());
}

// Through UTF-16, refusing broken UTF-8 on the way in and, on the way out,
// both the default character and a "best fit" look-alike (é for an unknown ė).
std::optional<std::string> fromUtf8(std::string_view utf8) {
    if (utf8.empty()) return std::string();
    const int size = static_cast<int>(utf8.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length);
    BOOL defaulted = FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length,
                                          nullptr, 0, nullptr, &defaulted);
    if (bytes <= 0 || defaulted) return std::nullopt;
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, text.data(), bytes,
                        nullptr, &defaulted);
    if (defaulted || platform::win32::toWide(text) != wide) return std::nullopt;
    return text;
}

bool isLeadByte(unsigned char byte) {
    return IsDBCSLeadByte(byte) != FALSE;
}

}  // namespace varnok::text
