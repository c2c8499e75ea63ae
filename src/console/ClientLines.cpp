#include "console/ClientLines.h"

#include <algorithm>
#include <cctype>

#include "console/LineKinds.h"
#include "text/Text.h"

namespace varnok::console {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "YYYY-MM-DD HH:MM:SS ", digits where the pattern has 9.
bool stampAt(std::string_view line) {
    constexpr std::string_view kPattern = "9999-99-99 99:99:99 ";
    if (line.size() < kPattern.size()) return false;
    for (std::size_t i = 0; i < kPattern.size(); ++i)
        if (kPattern[i] == '9' ? !isDigit(line[i]) : line[i] != kPattern[i]) return false;
    return true;
}

// `Cvar NAME = "VALUE", default = "DEFAULT"` (or with anything after the
// value) as `"NAME" is:"VALUE" default:"DEFAULT"`; the line as it is otherwise.
std::string retailAnswer(const std::string& line) {
    constexpr std::string_view kCvar = "Cvar ";
    constexpr std::string_view kIs = " = \"";
    if (!line.starts_with(kCvar)) return line;
    const std::size_t is = line.find(kIs, kCvar.size());
    if (is == std::string::npos) return line;
    const std::string name = line.substr(kCvar.size(), is - kCvar.size());
    if (name.empty() || name.find_first_of(" \"") != std::string::npos) return line;
    const std::size_t from = is + kIs.size();
    std::size_t close = line.find("\", ", from);
    if (close == std::string::npos) close = line.rfind('"');
    if (close == std::string::npos || close < from) return line;
    std::string answer = "\"" + name + "\" is:\"" + line.substr(from, close - from) + "\"";
    constexpr std::string_view kDefault = "\", default = \"";
    if (line.compare(close, kDefault.size(), kDefault) == 0) {
        const std::size_t start = close + kDefault.size();
        const std::size_t end = line.find('"', start);
        answer += " default:\"" + line.substr(start, end - start) + "\"";
    }
    return answer;
}

}  // namespace

std::string retailForm(std::string_view line) {
    if (stampAt(line)) line.remove_prefix(20);
    std::string shown = text::stripColourCodes(line, '9');
    if (shown.starts_with('*') && isSpokenLine(shown)) shown.erase(0, 1);
    return retailAnswer(shown);
}

void TypedLines::typed(std::string_view line, TimePoint at) {
    typed_.push_back({retailForm(line), at});
}

// The client prints each line as it reads it, in the order typed; a line
// that never came back is let go after a while.
std::string TypedLines::marked(const std::string& line, TimePoint now) {
    while (!typed_.empty() && (now < typed_.front().at || now - typed_.front().at > kEchoWait))
        typed_.pop_front();
    const auto echo = std::find_if(typed_.begin(), typed_.end(),
                                   [&](const Typed& typed) { return typed.line == line; });
    if (echo == typed_.end()) return line;
    typed_.erase(typed_.begin(), echo + 1);
    return "]" + line;
}

}  // namespace varnok::console
