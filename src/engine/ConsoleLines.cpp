#include "engine/ConsoleLines.h"

#include <algorithm>

namespace varnok::engine {

namespace {
// Enough of the text taken to recognise it again; a pane that was replaced
// holds other text there.
constexpr std::size_t kAnchorSize = 64;

// The complete lines that lie within the last `size` characters of `pane`,
// and what follows them: the line cut by that bound is left out.
std::string_view lastLines(std::string_view pane, std::size_t size) {
    if (pane.size() <= size) return pane;
    const std::size_t from = pane.size() - size;
    if (pane[from - 1] == '\n' || (pane[from - 1] == '\r' && pane[from] != '\n'))
        return pane.substr(from);
    const std::size_t end = pane.find_first_of("\r\n", from);
    if (end == std::string_view::npos) return {};
    const std::size_t next = pane.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    return pane.substr(next);
}
}  // namespace

std::string_view ConsoleLines::newPart(std::string_view pane) const {
    if (fresh_) return lastLines(pane, kFirstReading);
    if (pane.size() < taken_) return pane;
    if (pane.substr(taken_ - anchor_.size(), anchor_.size()) != anchor_) return pane;
    return pane.substr(taken_);
}

void ConsoleLines::remember(std::string_view pane) {
    taken_ = pane.size();
    anchor_ = pane.substr(pane.size() - std::min(pane.size(), kAnchorSize));
}

// A line ends at CR LF, at an LF alone or at a CR followed by anything but LF;
// a CR that ends the text may be the first half of CR LF, so it waits. Every
// line is handed on with CR LF, the end the game's pane gives each line.
ConsoleLines::Taken ConsoleLines::take(std::string_view pane, TimePoint now) {
    Taken taken;
    taken.added = newPart(pane);
    remember(pane);
    fresh_ = false;
    if (taken.added.empty()) return taken;
    if (partial_.empty()) partialSince_ = now;
    partial_ += taken.added;

    std::size_t start = 0;
    for (std::size_t i = 0; i < partial_.size(); ++i) {
        const char c = partial_[i];
        if (c != '\r' && c != '\n') continue;
        if (c == '\r' && i + 1 == partial_.size()) break;
        taken.lines.push_back(partial_.substr(start, i - start) + "\r\n");
        if (c == '\r' && partial_[i + 1] == '\n') ++i;
        start = i + 1;
        partialSince_ = now;
    }
    partial_.erase(0, start);
    return taken;
}

std::optional<std::string> ConsoleLines::overdue(TimePoint now) {
    if (partial_.empty() || (now >= partialSince_ && now - partialSince_ < kLineWait))
        return std::nullopt;
    std::string line = partial_;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    partial_.clear();
    return line + "\r\n";
}

void ConsoleLines::forget() {
    taken_ = 0;
    anchor_.clear();
    partial_.clear();
    fresh_ = true;
}

}  // namespace varnok::engine
