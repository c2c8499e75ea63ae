#include "console/LineAssembly.h"

namespace varnok::console {

std::vector<std::string> LineAssembly::add(std::string_view text, TimePoint now) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    if (partial_.empty()) partialSince_ = now;
    partial_ += text;

    std::size_t start = 0;
    for (std::size_t i = 0; i < partial_.size(); ++i) {
        const char c = partial_[i];
        if (c != '\r' && c != '\n') continue;
        if (c == '\r' && i + 1 == partial_.size()) break;
        lines.push_back(partial_.substr(start, i - start) + "\r\n");
        if (c == '\r' && partial_[i + 1] == '\n') ++i;
        start = i + 1;
        partialSince_ = now;
    }
    partial_.erase(0, start);
    return lines;
}

std::optional<std::string> LineAssembly::overdue(TimePoint now) {
    if (partial_.empty() || (now >= partialSince_ && now - partialSince_ < kLineWait))
        return std::nullopt;
    std::string line = partial_;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    partial_.clear();
    return line + "\r\n";
}

std::optional<TimePoint> LineAssembly::due() const {
    if (partial_.empty()) return std::nullopt;
    return partialSince_ + kLineWait;
}

}  // namespace varnok::console
