#include "console/ConsoleLink.h"

#include <algorithm>

#include "console/ChatEcho.h"
#include "text/CodePage.h"
#include "text/Text.h"

namespace varnok::console {

namespace {
constexpr int kCaptionBuffer = 260;
constexpr unsigned char kCarriageReturn = 13;
constexpr long kOneKeyPress = 1;
}  // namespace

WindowHandle ConsoleLink::FindConsole() {
    return keptOrFound("", kConsoleTitle);
}

WindowHandle ConsoleLink::findConfiguredConsole(const std::string& windowClass,
                                                const std::string& title) {
    return keptOrFound(windowClass, title);
}

// A console whose pane answered the latest length request is still there: a
// window that is gone answers nothing, and its children go with it. Without
// that answer, one caption read checks it: that asks the window system, not
// the game, so it is cheap and a hung game cannot block it. A window of a
// configured class is searched for every time, since the kept one's class is
// not checked.
WindowHandle ConsoleLink::keptOrFound(const std::string& windowClass, const std::string& title) {
    if (kept_ != 0 && windowClass.empty() && title == keptTitle_) {
        if (vouched_) return kept_;
        if (text::trimAtNull(windows_.caption(kept_, kCaptionBuffer)) == title) return kept_;
    }
    if (!windowClass.empty()) {
        keep(0, title);
        return windows_.findWindow(windowClass, title);
    }
    const WindowHandle found = searchByTitle(title);
    keep(found, title);
    return found;
}

WindowHandle ConsoleLink::searchByTitle(const std::string& title) {
    if (searchesToFull_ > 0) {
        --searchesToFull_;
        return windows_.findWindow(std::string(kConsoleClass), title);
    }
    searchesToFull_ = kFullSearchEvery - 1;
    return windows_.findWindow(std::nullopt, title);
}

// A console found anew belongs to another start of the game, maybe on
// another server: what was known of the old one's server is forgotten, and
// a game that refused the old one's messages is tried again.
void ConsoleLink::keep(WindowHandle console, const std::string& title) {
    if (console != kept_) {
        vouched_ = false;
        refused_ = false;
        flood_.reset();
    }
    kept_ = console;
    keptTitle_ = title;
}

WindowHandle ConsoleLink::FindOutputPane(WindowHandle console) {
    WindowHandle child = windows_.relative(console, Relation::FirstChild);
    for (int step = 0; step < 4 && child != 0; ++step)
        child = windows_.relative(child, Relation::NextSibling);
    pane_ = child;
    paneOf_ = console;
    vouched_ = false;
    return child;
}

bool ConsoleLink::takeLostConsole() {
    const bool lost = lost_;
    lost_ = false;
    return lost;
}

WindowHandle ConsoleLink::findGameWindow() {
    return windows_.findWindow(std::string(kGameWindowClass), std::nullopt);
}

void ConsoleLink::SendConsoleCommand(const CommandLine& command) {
    // A line break would end the line early and run the rest as a second
    // command of its own.
    const std::string text = command.text();
    const std::string_view line = std::string_view(text).substr(0, text.find_first_of("\r\n"));
    type(std::string(text::cutAtCharacter(line, kMostTypedCharacters)), false);
}

// Nothing typed reaches a game that refused Varnok's messages.
void ConsoleLink::type(const std::string& line, bool again) {
    if (FindConsole() == 0 || refused_) return;
    const bool chat = clock_ && goesToServer(line);
    if (chat) waitForServer(again);
    const WindowHandle console = FindConsole();  // the wait may have outlived it
    if (console == 0) return;
    if (chat) flood_.typed(line, clock_->now(), again);
    PendingCommand = line;
    windows_.enumChildren(console, [this](WindowHandle child) { return ConsoleChildProc(child); });
}

// A say the server dropped while this one waited goes out again first, in
// its place in the order.
void ConsoleLink::waitForServer(bool again) {
    using std::chrono::milliseconds;
    const auto giveUp = clock_->now() + kMostSpacingWait;
    for (auto now = clock_->now(); now < giveUp; now = clock_->now()) {
        if (!again) {
            if (std::optional<std::string> dropped = flood_.takeDropped(now)) {
                type(*dropped, true);
                continue;
            }
        }
        askIfGameRuns();
        const milliseconds rest =
            std::min(flood_.rest(now), std::chrono::ceil<milliseconds>(giveUp - now));
        if (rest.count() <= 0) return;
        clock_->sleepMs(static_cast<std::uint32_t>(rest.count()));
    }
}

void ConsoleLink::heard(std::string_view line, std::string_view playerName) {
    if (!clock_) return;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    flood_.heard(line, playerName, clock_->now());
}

void ConsoleLink::resendDropped() {
    if (!clock_) return;
    while (std::optional<std::string> line = flood_.takeDropped(clock_->now())) type(*line, true);
}

void ConsoleLink::askIfGameRuns() {
    if (clock_ && pane_ != 0 && paneOf_ == kept_ && flood_.owesAnswer(clock_->now()))
        ReadTextLength(pane_);
}

void ConsoleLink::note(Delivery delivery) {
    if (delivery == Delivery::Refused) refused_ = true;
}

bool ConsoleLink::ConsoleChildProc(WindowHandle child) {
    if (!text::trimAtNull(windows_.caption(child, kCaptionBuffer)).empty()) return false;
    // Every further empty-captioned child before the first captioned one gets the
    // (by then empty) pending text and a carriage return too, as the game's
    // console has only the input line there.
    note(windows_.setText(child, PendingCommand));
    note(windows_.sendChar(child, kCarriageReturn, kOneKeyPress));
    PendingCommand.clear();
    return true;
}

std::optional<std::string> ConsoleLink::ReadWindowText(WindowHandle window) {
    const std::optional<long> length = windows_.measureText(window).length;
    if (!length) return std::nullopt;
    if (*length <= 0) return kNoTextSentinel;
    std::optional<std::string> text = windows_.text(window, *length + 1);
    if (!text) return std::nullopt;
    // A window that went away or emptied between the two messages copies
    // nothing; that reads as absence.
    return text->empty() ? kNoTextSentinel : *text;
}

std::optional<std::string> ConsoleLink::ReadPaneText(WindowHandle pane, long length) {
    // The length is counted in characters; the text comes in the system code
    // page, where a character may take two bytes.
    constexpr long kBytesPerCharacter = 2;
    constexpr long kRoomForMore = 1024;
    if (length <= 0) return std::string();
    return windows_.text(pane, length * kBytesPerCharacter + kRoomForMore + 1);
}

std::optional<long> ConsoleLink::ReadTextLength(WindowHandle window) {
    // Only a say awaiting its echo needs to know whether the game runs: an
    // idle turn reads no clock for it.
    const bool timed = clock_ && window != 0 && flood_.nextDeadline();
    const FloodGuard::TimePoint sent = timed ? clock_->now() : FloodGuard::TimePoint{};
    const TextLength answer = windows_.measureText(window);
    if (timed) flood_.asked(sent, clock_->now(), answer.length.has_value());
    if (answer.refused) refused_ = true;
    if (window != 0 && window == pane_ && paneOf_ == kept_ && kept_ != 0) {
        vouched_ = answer.length.has_value() && !answer.gone;
        if (answer.gone) {
            lost_ = true;
            keep(0, keptTitle_);
            searchesToFull_ = 0;  // a restarted game's console may have any class
        }
    }
    return answer.length;
}

}  // namespace varnok::console
