// Native file systems name files by bytes: the 8-bit text is the path as it is.
#include "text/CodePage.h"
#include "text/SystemPath.h"

namespace varnok::text {

std::filesystem::path toPath(const std::string& text) {
    return std::filesystem::path(text);
}

std::string fromPath(const std::filesystem::path& path) {
    return path.string();
}

// The native code page is UTF-8 itself: valid text stays as it is.
std::optional<std::string> fromUtf8(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i++]);
        const int extra = lead < 0x80                   ? 0
                          : lead >= 0xC2 && lead < 0xE0 ? 1
                          : lead >= 0xE0 && lead < 0xF0 ? 2
                          : lead >= 0xF0 && lead < 0xF5 ? 3
                                                        : -1;
        if (extra < 0) return std::nullopt;
        for (int k = 0; k < extra; ++k, ++i)
            if (i >= utf8.size() || (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80)
                return std::nullopt;
    }
    return std::string(utf8);
}

// The native build keeps its text one byte a character.
bool isLeadByte(unsigned char) {
    return false;
}

}  // namespace varnok::text
