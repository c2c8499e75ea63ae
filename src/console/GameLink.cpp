#include "console/GameLink.h"

namespace varnok::console {

GameLink::GameLink(const GameLinkContext& context)
    : ctx_(context),
      windows_(ctx_.windows),
      pane_(ctx_.windows, ctx_.yield),
      ears_(pane_, ctx_.chat, ctx_.wakeups, ctx_.paneOnly),
      mouth_(ctx_.windows) {}

std::string GameLink::start(const std::filesystem::path& exe, std::vector<std::string> arguments) {
    for (const char* word : {"+set", "logfile", "2"}) arguments.emplace_back(word);
    auto game = std::make_unique<StartedGame>(
        clientLogs(exe, arguments, ctx_.starter.documentsFolder()), ctx_.input, ctx_.clock);
    const GameStarter::StartedGame started = ctx_.starter.start(exe, arguments);
    if (started.process == 0) return started.failure;
    game->started(started.process);
    if (onStarted_) drop();
    started_ = std::move(game);
    ctx_.wakeups.watchProcess(started.process);
    return {};
}

// A console other than last turn's (the game restarted between two turns)
// starts everything afresh. The game's process ending makes the kept console
// doubtful, whatever was vouched for it. A console without its pane (yet) is
// looked at again on every turn.
GameLink::Look GameLink::find(const std::string& windowClass, const std::string& title) {
    const bool processEnded = ctx_.wakeups.takeProcessEnd();
    if (processEnded) windows_.doubtKept();
    if (started_) {
        const bool before = onStarted_;
        if (followStarted(processEnded)) return {true, !before};
        if (before) return {};
    }
    const WindowHandle found = windows_.findConfiguredConsole(windowClass, title);
    if (found == 0) {
        if (console_ != 0) drop();
        return {};
    }
    const bool fresh = found != console_;
    if (fresh) {
        console_ = found;
        ears_.reset();
        pane_.aim(windows_.FindOutputPane(found));
        mouth_.aim(found);
        ctx_.chat.speakThrough(&mouth_, true);
        ctx_.wakeups.watchProcessOf(found);
    } else if (pane_.pane() == 0) {
        pane_.aim(windows_.FindOutputPane(found));
    }
    return {true, fresh};
}

// A game that ended is let go. Once its client's log began it is the game,
// unless it had opened a console window by then (a retail game started here),
// which is then found as any console window is.
bool GameLink::followStarted(bool processEnded) {
    if ((processEnded || !onStarted_) && !ctx_.starter.running(started_->process())) {
        const bool was = onStarted_;
        started_.reset();
        if (was) drop();
        return false;
    }
    if (onStarted_) return true;
    if (!started_->lookForLog()) return false;
    if (windows_.findConfiguredConsole("", kConsoleTitle) != 0) {
        started_.reset();
        return false;
    }
    dropConsole();
    onStarted_ = true;
    ctx_.chat.speakThrough(started_->mouth(), true);
    ctx_.wakeups.watchProcess(started_->process());
    return true;
}

void GameLink::drop() {
    dropConsole();
    onStarted_ = false;
    ctx_.chat.speakThrough(nullptr, true);
}

void GameLink::dropConsole() {
    console_ = 0;
    ears_.reset();
    pane_.aim(0);
    mouth_.aim(0);
}

Ear& GameLink::ear() {
    if (onStarted_) return started_->ear();
    return ears_;
}

bool GameLink::note(Presence presence) {
    switch (presence) {
        case Presence::Unasked:
            return false;
        case Presence::Answered:
            windows_.paneAnswered(true);
            return false;
        case Presence::Silent:
            windows_.paneAnswered(false);
            return false;
        case Presence::Refused:
            windows_.paneAnswered(false);
            ctx_.chat.noteRefused();
            return false;
        case Presence::Gone:
            windows_.paneGone();
            drop();
            return true;
    }
    return false;
}

WindowHandle GameLink::gameWindow() {
    if (started_)
        if (const WindowHandle window = ctx_.windows.mainWindowOf(started_->process()); window != 0)
            return window;
    return windows_.findGameWindow();
}

std::vector<std::string_view> GameLink::questions() const {
    if (onStarted_) return {};
    return ears_.questions();
}

void GameLink::asked() {
    if (!onStarted_) ears_.asked();
}

std::vector<std::string_view> GameLink::unanswered() const {
    if (onStarted_) return {};
    return ears_.unanswered();
}

void GameLink::answered(std::string_view name, const std::string& value, TimePoint now) {
    if (!onStarted_) ears_.answered(name, value, now);
}

void GameLink::leaveGameAsFound() {
    if (!onStarted_) ears_.leaveGameAsFound();
}

}  // namespace varnok::console
