#include "text/Text.h"

#include <algorithm>

namespace varnok::text {
namespace {

// Letter-case folding over Windows-1252: ASCII letters plus the accented
// capitals 0xC0-0xDE (less the multiplication sign 0xD7), and the three
// letters whose pairs lie elsewhere (Š/š, Œ/œ, Ž/ž, Ÿ/ÿ).
unsigned char fold(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A:
            return 0x9A;
        case 0x8C:
            return 0x9C;
        case 0x8E:
            return 0x9E;
        case 0x9F:
            return 0xFF;
        default:
            return c;
    }
}

bool sameNoCase(char a, char b) {
    return fold(static_cast<unsigned char>(a)) == fold(static_cast<unsigned char>(b));
}

constexpr std::string_view kLineBreaks = "\r\n";

// Where the line holding position `at` begins: just after the line break
// before it, or at the text's start.
std::size_t lineStart(std::string_view s, std::size_t at) {
    if (at == 0) return 0;
    std::size_t previous = s.find_last_of(kLineBreaks, at - 1);
    return previous == std::string_view::npos ? 0 : previous + 1;
}

// Where the line holding position `at` ends: just past its line end, or at
// the text's end.
std::size_t lineEnd(std::string_view s, std::size_t at) {
    std::size_t found = s.find_first_of(kLineBreaks, at);
    if (found == std::string_view::npos) return s.size();
    if (s[found] == '\r' && found + 1 < s.size() && s[found + 1] == '\n') return found + 2;
    return found + 1;
}

}  // namespace

std::size_t findNoCase(std::string_view hay, std::string_view needle, std::size_t from) {
    if (from > hay.size()) return std::string_view::npos;
    auto it = std::search(hay.begin() + static_cast<std::ptrdiff_t>(from), hay.end(),
                          needle.begin(), needle.end(), sameNoCase);
    if (it == hay.end() && !needle.empty()) return std::string_view::npos;
    return static_cast<std::size_t>(it - hay.begin());
}

bool containsNoCase(std::string_view hay, std::string_view needle) {
    return findNoCase(hay, needle) != std::string_view::npos;
}

bool beginsWithNoCase(std::string_view hay, std::string_view prefix) {
    return hay.size() >= prefix.size() && equalsNoCase(hay.substr(0, prefix.size()), prefix);
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameNoCase);
}

std::string foldCase(std::string_view s) {
    std::string folded(s);
    for (char& c : folded) c = static_cast<char>(fold(static_cast<unsigned char>(c)));
    return folded;
}

bool beginsWith(std::string_view hay, std::string_view prefix) {
    return hay.substr(0, prefix.size()) == prefix;
}

std::string replaceAllNoCase(std::string_view hay, std::string_view placeholder,
                             std::string_view value) {
    if (placeholder.empty()) return std::string(hay);
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        std::size_t hit = findNoCase(hay, placeholder, pos);
        if (hit == std::string_view::npos) break;
        out.append(hay.substr(pos, hit - pos));
        out.append(value);
        pos = hit + placeholder.size();
    }
    out.append(hay.substr(pos));
    return out;
}

std::string lastChars(std::string_view s, std::size_t count) {
    return std::string(count >= s.size() ? s : s.substr(s.size() - count));
}

std::optional<std::string> dropLast(std::string_view s, std::size_t drop) {
    if (drop > s.size()) return std::nullopt;
    return std::string(s.substr(0, s.size() - drop));
}

std::optional<std::string_view> lineHolding(std::string_view s, std::string_view marker) {
    std::size_t hit = findNoCase(s, marker);
    if (hit == std::string_view::npos) return std::nullopt;
    std::size_t start = lineStart(s, hit);
    return s.substr(start, lineEnd(s, hit + marker.size()) - start);
}

std::optional<std::string> before(std::string_view s, std::string_view marker) {
    std::size_t hit = findNoCase(s, marker);
    if (hit == std::string_view::npos) return std::nullopt;
    std::size_t start = lineStart(s, hit);
    return std::string(s.substr(start, hit - start));
}

std::optional<std::string> afterMarker(std::string_view s, std::string_view marker,
                                       std::size_t offset) {
    std::size_t hit = findNoCase(s, marker);
    if (hit == std::string_view::npos) return std::nullopt;
    std::size_t end = lineEnd(s, hit + marker.size());
    if (hit + offset > end) return std::nullopt;
    return std::string(s.substr(hit + offset, end - (hit + offset)));
}

std::optional<std::string> afterMarkerLess(std::string_view s, std::string_view marker,
                                           std::size_t offset, std::size_t drop) {
    std::optional<std::string> after = afterMarker(s, marker, offset);
    if (!after) return std::nullopt;
    return dropLast(*after, drop);
}

std::string trimAtNull(std::string_view s) {
    return std::string(s.substr(0, std::min(s.find('\0'), s.size())));
}

std::string trimBlanks(std::string_view s) {
    std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    std::size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

std::vector<std::string> splitLines(std::string_view s) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < s.size()) {
        std::size_t cr = s.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.emplace_back(s.substr(start));
            break;
        }
        lines.emplace_back(s.substr(start, cr - start));
        start = cr + 1;
        if (start < s.size() && s[start] == '\n') ++start;
    }
    return lines;
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The sign and the digits of `s` after the sign, for both number readers.
struct Signed {
    bool negative = false;
    std::string_view rest;
};

Signed takeSign(std::string_view s) {
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) return {s[0] == '-', s.substr(1)};
    return {false, s};
}

}  // namespace

std::optional<long long> parseWholeNumber(std::string_view s) {
    const std::string trimmed = trimBlanks(s);
    const Signed number = takeSign(trimmed);
    if (number.rest.empty()) return std::nullopt;
    long long value = 0;
    for (char c : number.rest) {
        if (!isDigit(c)) return std::nullopt;
        if (value > (9223372036854775807LL - (c - '0')) / 10) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return number.negative ? -value : value;
}

std::optional<double> parseDecimal(std::string_view s) {
    const std::string trimmed = trimBlanks(s);
    const Signed number = takeSign(trimmed);
    double value = 0.0, scale = 1.0;
    bool sawDigit = false, sawPoint = false;
    for (char c : number.rest) {
        if (c == '.' && !sawPoint) {
            sawPoint = true;
        } else if (isDigit(c)) {
            sawDigit = true;
            if (sawPoint) {
                scale /= 10.0;
                value += (c - '0') * scale;
            } else {
                value = value * 10.0 + (c - '0');
            }
        } else {
            return std::nullopt;
        }
    }
    if (!sawDigit) return std::nullopt;
    return number.negative ? -value : value;
}

}  // namespace varnok::text
