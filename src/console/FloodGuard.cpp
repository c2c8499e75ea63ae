#include "console/FloodGuard.h"

#include <algorithm>

#include "console/ChatEcho.h"
#include "console/LineKinds.h"
#include "text/Text.h"

namespace varnok::console {

namespace {
constexpr std::string_view kNotConnected = "Unknown command \"say\"";
}

Ms FloodGuard::rest(TimePoint now) const {
    Ms rest(0);
    if (lastCommand_) {
        const auto since = std::chrono::duration_cast<Ms>(now - *lastCommand_);
        rest = now < *lastCommand_ ? gap_ : since >= gap_ ? Ms(0) : gap_ - since;
    }
    if (const std::optional<TimePoint> until = due(); until && *until > now)
        rest = std::max(rest, std::chrono::ceil<Ms>(*until - now));
    else if (until && answered_ < *until)
        rest = std::max(rest, kAnswerPoll);
    return rest;
}

// A say the game would print back nothing of, or typed before the player's
// name was known, cannot be confirmed and is not followed.
void FloodGuard::typed(std::string_view line, TimePoint now, bool again) {
    lastCommand_ = now;
    if (again) ++typedAgain_;
    std::string sent = chatTextSent(line);
    if (sent.empty() || speaker_.empty()) return;
    awaited_.push_back({std::string(line), std::move(sent), speaker_, now, again});
}

// The player's own chat counts from the moment it shows; the echo of one of
// Varnok's says is no command of its own.
void FloodGuard::notice(std::string_view line, std::string_view playerName, TimePoint now) {
    speaker_ = playerName;
    if (text::equalsNoCase(line, kNotConnected)) {
        if (!awaited_.empty()) awaited_.pop_front();
        return;
    }
    const std::optional<OwnChat> chat = ownChat(line, playerName);
    // A chat line a server's mod dressed otherwise ends in the text after
    // its first ": "; a line typed at the console is no chat.
    const std::string_view text = chat ? chat->text : spokenText(line).value_or("");
    const bool toEveryone = !chat || chat->target == ChatTarget::Everyone;
    const auto echo = std::find_if(awaited_.begin(), awaited_.end(), [&](const Awaited& a) {
        return toEveryone && isEchoOf(text, a.sent, a.speaker);
    });
    if (echo != awaited_.end()) {
        if (now > echo->typedAt)
            longestRoundTrip_ =
                std::max(longestRoundTrip_, std::chrono::duration_cast<Ms>(now - echo->typedAt));
        awaited_.erase(echo);
        return;
    }
    if (chat) lastCommand_ = now;
}

std::optional<std::string> FloodGuard::takeDropped(TimePoint now) {
    while (!awaited_.empty()) {
        const Awaited& oldest = awaited_.front();
        const TimePoint until = *due();
        if (now >= oldest.typedAt && (now < until || answered_ < until)) return std::nullopt;
        gap_ = std::min(gap_ + kGapStep, kMostGap);
        const bool tryAgain = !oldest.again;
        std::string line = oldest.line;
        awaited_.pop_front();
        if (tryAgain) return line;
    }
    return std::nullopt;
}

std::optional<TimePoint> FloodGuard::nextDeadline() const {
    const std::optional<TimePoint> until = due();
    if (!until || answered_ >= *until || asked_ < *until) return until;
    return asked_ + kAnswerPoll;
}

void FloodGuard::asked(TimePoint sent, TimePoint back, bool answered) {
    asked_ = back;
    if (answered && back >= sent && back - sent <= kPromptAnswer)
        answered_ = back;
    else
        resumed_ = back;
}

bool FloodGuard::owesAnswer(TimePoint now) const {
    const std::optional<TimePoint> until = due();
    return until && *until <= now && answered_ < *until;
}

void FloodGuard::reset() {
    awaited_.clear();
    answered_ = asked_ = resumed_ = {};
    lastCommand_.reset();
    speaker_.clear();
    gap_ = kGap;
    longestRoundTrip_ = Ms(0);
}

Ms FloodGuard::echoWait() const {
    return std::max(kEchoWait, 2 * longestRoundTrip_);
}

std::optional<TimePoint> FloodGuard::due() const {
    if (awaited_.empty()) return std::nullopt;
    const Awaited& oldest = awaited_.front();
    const TimePoint until = oldest.typedAt + echoWait();
    if (resumed_ > oldest.typedAt) return std::max(until, resumed_ + kAfterStall);
    return until;
}

}  // namespace varnok::console
