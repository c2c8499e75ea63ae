// Text in the program is 8-bit Windows-1252; std::filesystem takes Unicode.
// Each byte maps to one code point (0x80-0x9F through the Windows-1252 table,
// the rest as Latin-1), and back; a character the code page cannot hold comes
// back as "?".
#include "player/PathText.h"

#include <array>
#include <cstdint>

namespace varnok::player {

namespace {

// Code points of the bytes 0x80..0x9F; the five unassigned bytes map to themselves.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codePointOf(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? kHighControls[byte - 0x80] : byte;
}

char byteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

void appendUtf8(std::u8string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char8_t>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char8_t>(0xC0 | (cp >> 6));
        out += static_cast<char8_t>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char8_t>(0xE0 | (cp >> 12));
        out += static_cast<char8_t>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char8_t>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `i` and moves past it; a broken sequence gives U+FFFD.
char32_t nextCodePoint(const std::u8string& s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0) return 0xFFFD;
    char32_t cp = extra == 0 ? lead : (lead & (0x3F >> extra));
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

}  // namespace

std::filesystem::path toPath(const std::string& text) {
    std::u8string utf8;
    for (char c : text) appendUtf8(utf8, codePointOf(static_cast<unsigned char>(c)));
    return std::filesystem::path(utf8);
}

std::string fromPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    std::string text;
    for (std::size_t i = 0; i < utf8.size();) text += byteOf(nextCodePoint(utf8, i));
    return text;
}

}  // namespace varnok::player
