#include "console/PaneEar.h"

#include "console/LineKinds.h"
#include "text/Text.h"

namespace varnok::console {

void PaneEar::aim(WindowHandle pane) {
    pane_ = pane;
    located_ = true;
    prevLen_ = curLen_ = 0;
    lines_.forget();
    lastGameLine_.clear();
}

PaneEar::Measurement PaneEar::measure() {
    const TextLength answer = windows_.measureText(pane_);
    Measurement measured;
    measured.presence = answer.gone      ? Presence::Gone
                        : answer.refused ? Presence::Refused
                        : answer.length  ? Presence::Answered
                                         : Presence::Silent;
    if (answer.length && !answer.gone) measured.length = static_cast<std::int32_t>(*answer.length);
    return measured;
}

std::optional<std::string> PaneEar::read(std::int32_t length) {
    // The length is counted in characters; the text comes in the system code
    // page, where a character may take two bytes, and the game may have
    // printed more since it was measured.
    constexpr long kBytesPerCharacter = 2;
    constexpr long kRoomForMore = 1024;
    if (length <= 0) return std::string();
    return windows_.text(pane_, length * kBytesPerCharacter + kRoomForMore + 1);
}

void PaneEar::skipTo(std::string_view pane, std::int32_t length) {
    lines_.skipTo(pane);
    prevLen_ = curLen_ = length;
}

// What is new is decided by the text read, not by the lengths measured, so
// text printed between the two messages is neither taken twice nor skipped.
// A pane seen for the first time is read even when empty: what it holds then
// was printed before Varnok looked, and what comes after is new.
Heard PaneEar::listen(TimePoint now, bool inPause) {
    Heard heard;
    heard.clearMoment = located_;
    located_ = false;
    if (pane_ == 0) return heard;
    const Measurement measured = measure();
    heard.presence = measured.presence;
    if (!measured.length) return heard;
    curLen_ = *measured.length;
    // A pane shorter than at the last reading was emptied or replaced, and a
    // full one is about to replace itself.
    heard.clearMoment = heard.clearMoment || curLen_ < prevLen_ || curLen_ >= kPaneLimit;
    if (curLen_ != prevLen_ || lines_.fresh()) {
        if (!inPause && !yield_()) return heard;
        const std::optional<std::string> pane = read(curLen_);
        if (!pane) return heard;
        prevLen_ = curLen_;
        ConsoleLines::Taken taken = lines_.take(*pane, now);
        heard.tookText = !taken.added.empty();
        if (heard.tookText) heard.shown = text::lastChars(taken.added, kShownText);
        for (std::string& line : taken.lines) {
            if (!isConsoleEcho(line)) lastGameLine_ = line;
            heard.lines.push_back(std::move(line));
        }
    }
    if (std::optional<std::string> line = lines_.overdue(now))
        heard.lines.push_back(std::move(*line));
    return heard;
}

}  // namespace varnok::console
