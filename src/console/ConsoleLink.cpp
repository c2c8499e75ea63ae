#include "console/ConsoleLink.h"

#include <algorithm>

#include "console/ChatEcho.h"
#include "text/CodePage.h"
#include "text/Text.h"

namespace varnok::console {

void ConsoleLink::speakThrough(Mouth* mouth, bool newGame) {
    mouth_ = mouth;
    if (!newGame) return;
    refused_ = false;
    flood_.reset();
}

void ConsoleLink::SendConsoleCommand(const CommandLine& command) {
    if (mouth_ == nullptr) return;
    // A line break would end the line early and run the rest as a second
    // command of its own.
    const std::string text = command.text();
    const std::string_view line = std::string_view(text).substr(0, text.find_first_of("\r\n"));
    type(std::string(text::cutAtCharacter(line, mouth_->mostCharacters())), false);
}

// Nothing typed reaches a game that refused Varnok's messages.
void ConsoleLink::type(const std::string& line, bool again) {
    if (mouth_ == nullptr || refused_) return;
    const bool chat = goesToServer(line);
    if (chat) waitForServer(again);
    if (mouth_ == nullptr) return;  // the wait outlived the game
    if (chat) flood_.typed(line, clock_.now(), again);
    if (mouth_->type(line) == Delivery::Refused) refused_ = true;
}

// A say the server dropped while this one waited goes out again first, in
// its place in the order.
void ConsoleLink::waitForServer(bool again) {
    const auto giveUp = clock_.now() + kMostSpacingWait;
    for (auto now = clock_.now(); now < giveUp; now = clock_.now()) {
        if (!again) {
            if (std::optional<std::string> dropped = flood_.takeDropped(now)) {
                type(*dropped, true);
                continue;
            }
        }
        askIfGameRuns();
        const Ms rest = std::min(flood_.rest(now), std::chrono::ceil<Ms>(giveUp - now));
        if (rest.count() <= 0 || mouth_ == nullptr) return;
        clock_.sleepMs(static_cast<std::uint32_t>(rest.count()));
    }
}

void ConsoleLink::knowPlayer(const std::string& playerName) {
    playerName_ = playerName;
    flood_.knowPlayer(playerName);
}

void ConsoleLink::notice(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    flood_.notice(line, playerName_, clock_.now());
}

void ConsoleLink::resendDropped() {
    while (std::optional<std::string> line = flood_.takeDropped(clock_.now())) type(*line, true);
}

void ConsoleLink::askIfGameRuns() {
    if (mouth_ == nullptr || !flood_.owesAnswer(clock_.now())) return;
    const TimePoint sent = clock_.now();
    const bool answered = mouth_->answers();
    flood_.asked(sent, clock_.now(), answered);
}

}  // namespace varnok::console
