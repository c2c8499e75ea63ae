#pragma once
// Finding the game's console window, its output pane and the game's main
// window. The console found last is kept, so a turn does not walk every window
// of the desktop: while its output pane answers the turn's length request,
// that answer vouches for it and nothing else is asked; otherwise (no pane, or
// a game that does not answer) one caption read checks it. A pane found gone
// drops the console at once, and it is searched for afresh.

#include <string>

#include "ports/WindowManager.h"

namespace varnok::console {

inline constexpr const char* kConsoleTitle = "Jedi Knight Academy MP Console";
// The window class the game registers for its console.
inline constexpr const char* kConsoleClass = "JAMP WinConsole";
// The game's main window class in Windows-1252: the registered sign is byte 0xAE.
inline constexpr const char* kGameWindowClass = "Jedi Knight\xAE: Jedi Academy (MP)";

class ConsoleWindows {
  public:
    explicit ConsoleWindows(WindowManager& windows) : windows_(windows) {}

    // The console by the configured class and title; an empty class matches
    // any class.
    WindowHandle findConfiguredConsole(const std::string& windowClass, const std::string& title);
    // The fifth child from the top of the console's z-order; 0 when there are fewer.
    WindowHandle FindOutputPane(WindowHandle console);
    // The game's main window by its class; 0 when the game is not running.
    WindowHandle findGameWindow();

    // The kept console's pane answered a length request, or did not (a
    // stalled game): only an answer vouches for the console.
    void paneAnswered(bool answered) { vouched_ = answered; }
    // The kept console's pane is gone: the console closed (or lost its pane)
    // and is no longer kept; the next search reads every caption.
    void paneGone();
    // The kept console is no longer vouched for (its game's process ended):
    // the next lookup checks it.
    void doubtKept() { vouched_ = false; }

    // Every how many searches by title alone read every caption on the desktop.
    static constexpr int kFullSearchEvery = 5;

  private:
    // The kept console while it still has `title`, else the first window the
    // search finds with `title` (and the class, when one is given).
    WindowHandle keptOrFound(const std::string& windowClass, const std::string& title);
    // A window of `title` and any class. The window system answers a search
    // by class from its class table, but one by title alone only by reading
    // the caption of every top-level window: that full search runs only every
    // kFullSearchEvery-th time (and right after a console was lost), the
    // others look for the game console's own class.
    WindowHandle searchByTitle(const std::string& title);
    void keep(WindowHandle console, const std::string& title);

    WindowManager& windows_;
    WindowHandle kept_ = 0;
    std::string keptTitle_;
    bool vouched_ = false;    // the kept console's pane answered its latest length request
    int searchesToFull_ = 0;  // class searches left before the next full one
};

}  // namespace varnok::console
