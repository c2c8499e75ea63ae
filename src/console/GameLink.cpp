#include "console/GameLink.h"

namespace varnok::console {

GameLink::GameLink(WindowManager& windows, ConsoleLink& chat, engine::Wakeups& wakeups,
                   bool paneOnly, std::function<bool()> yield)
    : windows_(windows),
      chat_(chat),
      wakeups_(wakeups),
      pane_(windows, std::move(yield)),
      ears_(pane_, chat, wakeups, paneOnly),
      mouth_(windows) {}

// A console other than last turn's (the game restarted between two turns)
// starts everything afresh. The game's process ending makes the kept console
// doubtful, whatever was vouched for it. A console without its pane (yet) is
// looked at again on every turn.
GameLink::Look GameLink::find(const std::string& windowClass, const std::string& title) {
    if (wakeups_.takeProcessEnd()) windows_.doubtKept();
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
        chat_.speakThrough(&mouth_, true);
        wakeups_.watchProcessOf(found);
    } else if (pane_.pane() == 0) {
        pane_.aim(windows_.FindOutputPane(found));
    }
    return {true, fresh};
}

void GameLink::drop() {
    console_ = 0;
    ears_.reset();
    pane_.aim(0);
    mouth_.aim(0);
    chat_.speakThrough(nullptr, true);
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
            chat_.noteRefused();
            return false;
        case Presence::Gone:
            windows_.paneGone();
            drop();
            return true;
    }
    return false;
}

}  // namespace varnok::console
