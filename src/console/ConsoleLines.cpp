#include "console/ConsoleLines.h"

#include <algorithm>

namespace varnok::console {

namespace {
// Enough of the text taken to recognise it again; a pane that was replaced
// holds other text there.
constexpr std::size_t kAnchorSize = 64;
}  // namespace

std::string_view lastCompleteLines(std::string_view pane, std::size_t size) {
    if (pane.size() <= size) return pane;
    const std::size_t from = pane.size() - size;
    if (pane[from - 1] == '\n' || (pane[from - 1] == '\r' && pane[from] != '\n'))
        return pane.substr(from);
    const std::size_t end = pane.find_first_of("\r\n", from);
    if (end == std::string_view::npos) return {};
    const std::size_t next = pane.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    return pane.substr(next);
}

std::string_view ConsoleLines::newPart(std::string_view pane) const {
    if (fresh_) return lastCompleteLines(pane, kFirstReading);
    if (pane.size() < taken_) return pane;
    if (pane.substr(taken_ - anchor_.size(), anchor_.size()) != anchor_) return pane;
    return pane.substr(taken_);
}

void ConsoleLines::remember(std::string_view pane) {
    taken_ = pane.size();
    anchor_ = pane.substr(pane.size() - std::min(pane.size(), kAnchorSize));
}

ConsoleLines::Taken ConsoleLines::take(std::string_view pane, TimePoint now) {
    Taken taken;
    taken.added = newPart(pane);
    remember(pane);
    fresh_ = false;
    taken.lines = lines_.add(taken.added, now);
    return taken;
}

void ConsoleLines::skipTo(std::string_view pane) {
    remember(pane);
    fresh_ = false;
    lines_.clear();
}

void ConsoleLines::forget() {
    taken_ = 0;
    anchor_.clear();
    lines_.clear();
    fresh_ = true;
}

}  // namespace varnok::console
