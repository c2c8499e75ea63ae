#include "console/WindowMouth.h"

#include "text/Text.h"

namespace varnok::console {

namespace {
constexpr int kCaptionBuffer = 260;
constexpr unsigned char kCarriageReturn = 13;
constexpr long kOneKeyPress = 1;
}  // namespace

Delivery WindowMouth::type(const std::string& line) {
    if (console_ == 0) return Delivery::NoAnswer;
    PendingCommand = line;
    delivered_ = Delivery::Delivered;
    windows_.enumChildren(console_, [this](WindowHandle child) { return ConsoleChildProc(child); });
    return delivered_;
}

// The console window itself answers on the game's window thread, between two
// of its frames, like every child of it.
bool WindowMouth::answers() {
    const TextLength answer = windows_.measureText(console_);
    return answer.length.has_value() && !answer.gone;
}

bool WindowMouth::ConsoleChildProc(WindowHandle child) {
    if (!text::trimAtNull(windows_.caption(child, kCaptionBuffer)).empty()) return false;
    // Every further empty-captioned child before the first captioned one gets the
    // (by then empty) pending text and a carriage return too, as the game's
    // console has only the input line there.
    note(windows_.setText(child, PendingCommand));
    note(windows_.sendChar(child, kCarriageReturn, kOneKeyPress));
    PendingCommand.clear();
    return true;
}

// A refusal is the news that matters: the game runs as administrator.
void WindowMouth::note(Delivery delivery) {
    if (delivery == Delivery::Refused || delivered_ == Delivery::Delivered) delivered_ = delivery;
}

}  // namespace varnok::console
