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

std::string lowerCaseAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string upperCaseAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string lastChars(std::string_view s, std::size_t count) {
    return std::string(count >= s.size() ? s : s.substr(s.size() - count));
}

std::optional<std::string> dropLast(std::string_view s, std::size_t drop) {
    if (drop > s.size()) return std::nullopt;
    return std::string(s.substr(0, s.size() - drop));
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

std::string_view trimBlanks(std::string_view s, std::string_view blanks) {
    const std::size_t first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

std::vector<std::string_view> splitLines(std::string_view s, LineEnds ends) {
    const std::string_view breaks = ends == LineEnds::CrLfOrCr ? "\r" : "\r\n";
    std::vector<std::string_view> lines;
    while (!s.empty()) {
        const std::size_t end = s.find_first_of(breaks);
        lines.push_back(s.substr(0, end));
        if (end == std::string_view::npos) break;
        s.remove_prefix(s.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1);
    }
    return lines;
}

bool isColourDigit(char c) {
    return c >= '0' && c <= '7';
}

std::string stripColourCodes(std::string_view s, char highest) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '^' && i + 1 < s.size() && s[i + 1] >= '0' && s[i + 1] <= highest) {
            ++i;
            continue;
        }
        out += s[i];
    }
    return out;
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
    const Signed number = takeSign(trimBlanks(s));
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
    const Signed number = takeSign(trimBlanks(s));
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
