#pragma once
// The game Varnok works with, found anew or kept on each turn, with the ear
// that hears it and the mouth that types into it. Today that is the game's
// console window: its output pane or the game's log file to hear
// (EarChoice), its input line to type into (WindowMouth). The loop asks the
// link whether the game is there, listens to its ear and hands the chat
// layer its mouth; it never asks which ear or mouth it is.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "console/ConsoleLink.h"
#include "console/ConsoleWindows.h"
#include "console/EarChoice.h"
#include "console/PaneEar.h"
#include "console/WindowMouth.h"
#include "ports/Wakeups.h"
#include "ports/WindowManager.h"

namespace varnok::console {

class GameLink {
  public:
    // `yield` runs the window system inside a listen; false when the program
    // ended meanwhile. `paneOnly`: never the game's log ("--pane").
    GameLink(WindowManager& windows, ConsoleLink& chat, engine::Wakeups& wakeups, bool paneOnly,
             std::function<bool()> yield);

    struct Look {
        bool present = false;  // the game is there
        bool fresh = false;    // another game than at the last look (or the first)
    };
    // Looks for the game by the configured class and title of its console
    // window (an empty class matches any), keeping the one found last while
    // it is vouched for.
    Look find(const std::string& windowClass, const std::string& title);
    bool present() const { return console_ != 0; }
    // The game went away: nothing of it is kept.
    void drop();

    // The ear of the game found; listen to it only while it is present.
    Ear& ear() { return ears_; }
    // What a listen found out about the game being there. True when it is
    // gone: the link dropped it.
    bool note(Presence presence);

    // The game's main window ("Back to Game", "!mini"); 0 when it is not running.
    WindowHandle gameWindow() { return windows_.findGameWindow(); }

    // The console variables the link wants answered, asked once a game.
    std::vector<std::string_view> questions() const { return ears_.questions(); }
    // The game's answer to the console variable `name`.
    void answered(std::string_view name, const std::string& value, TimePoint now) {
        ears_.answered(name, value, now);
    }
    // Before the program ends: what Varnok changed in the game is undone.
    void leaveGameAsFound() { ears_.leaveGameAsFound(); }

    // For checks of the reading: the console window's ears.
    const PaneEar& paneEar() const { return pane_; }
    const EarChoice& earChoice() const { return ears_; }

  private:
    ConsoleWindows windows_;
    ConsoleLink& chat_;
    engine::Wakeups& wakeups_;
    PaneEar pane_;
    EarChoice ears_;
    WindowMouth mouth_;
    WindowHandle console_ = 0;
};

}  // namespace varnok::console
