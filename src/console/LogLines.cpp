#include "console/LogLines.h"

#include "text/Text.h"

namespace varnok::console {

// A "^" and its digit, or an LF and its CR, may be written in two reads.
std::vector<std::string> LogLines::add(std::string_view logged, TimePoint now) {
    std::string shown;
    shown.reserve(logged.size() + logged.size() / 16);
    for (const char c : logged) {
        if (caret_) {
            caret_ = false;
            if (text::isColourDigit(c)) continue;
            shown += '^';
        }
        if (c == '\r' && afterLf_) {
            afterLf_ = false;
            continue;
        }
        afterLf_ = c == '\n';
        if (c == '^') {
            caret_ = true;
        } else if (c == '\n' || c == '\r') {
            shown += "\r\n";
        } else {
            shown += c;
        }
    }
    return lines_.add(shown, now);
}

void LogLines::clear() {
    lines_.clear();
    caret_ = false;
    afterLf_ = false;
}

}  // namespace varnok::console
