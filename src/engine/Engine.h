#pragma once
// The engine: start-up and the loop. Each turn yields to the window system,
// docks the player window when the main window moved, looks for the game
// (console::GameLink), listens to its ear and hands every line heard, in
// order, to the line examination. A turn that found nothing new waits for
// window input, for what wakes the game's ear, or for the pace's interval
// (TurnPace). A reply's pause keeps listening (the clock's watch): the lines
// read meanwhile are examined after the line whose reply paused.

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/CommandContext.h"
#include "console/ConsoleLink.h"
#include "console/GameLink.h"
#include "engine/GameQuestions.h"
#include "engine/LineExamination.h"
#include "engine/MainWindowControls.h"
#include "engine/StatusLine.h"
#include "engine/TurnPace.h"
#include "ports/Clock.h"
#include "ports/Toolkit.h"
#include "ports/VersionRecord.h"
#include "ports/Wakeups.h"

namespace varnok::engine {

// Exactly what the engine works with.
struct EngineContext {
    ui::Toolkit& toolkit;
    Clock& clock;
    console::ConsoleLink& console;
    console::GameLink& link;
    sysinfo::VersionSource& version;
    std::filesystem::path savesFolder;
    const commands::CommandContext& commands;
    MainWindowControls& host;
    // What else wakes the loop: the folders of the game's log.
    Wakeups& wakeups;
};

class Engine {
  public:
    explicit Engine(const EngineContext& context);
    ~Engine();

    // Start-up from the system description on: status line, replies on, the
    // first look for the game, "name", the "Saves" folder.
    void startUp();
    // One turn of the loop; true when it found new text to handle.
    bool turn();
    // Turns until the program ends. A turn that found nothing new waits
    // instead of spinning a core.
    void run();
    // Before the program ends: what Varnok changed in the game is undone.
    void leaveGameAsFound() { ctx_.link.leaveGameAsFound(); }

    // The minute's clear is due: "/clear" goes out at the next moment for it.
    void makeClearDue() { clearDue_ = true; }
    // One greeting may go out.
    void allowGreeting() { examination_.allowGreeting(); }
    // Called with every line examined, before its recognisers run, for checks
    // that follow the lines one by one.
    void watchLines(std::function<void(const std::string&)> watch) {
        examination_.watchLines = std::move(watch);
    }

  private:
    bool turnOnce();
    // What wakes the game's ear; nothing while there is no game.
    std::optional<console::Wakes> earWakes();
    // The game found (or kept) and followed; true when there was new text.
    bool watchGame();
    // No game (any more): "Back to Game" hidden, what was known of it
    // forgotten, the not-running status line.
    void forgetGame();
    void dropGameState();
    // A turn with the game there: the name asked while unknown, the ear
    // listened to, each line heard examined in turn, and the second try of a
    // say the server dropped. True when there was new text.
    bool followGame(bool fresh);
    // Listens to the game's ear once; every line read waits in unexamined_.
    // `inPause`: from a reply's pause, which yields to no window and types
    // nothing. True when the game printed.
    bool listen(bool inPause);
    void listenDuringPause();
    // Moves the player window against the main window when the main window
    // moved or was resized since the last docking.
    void dockPlayerWindow();
    bool yieldToWindows();
    void sendClear();
    // The folders of the game's ear are watched, but not while a busy game's
    // text is gathered; true when a watch was made anew.
    bool watchFolders();

    EngineContext ctx_;
    StatusLine status_;
    GameQuestions questions_;
    LineExamination examination_;
    TurnPace pace_;
    std::deque<std::string> unexamined_;  // lines read, in order, not yet examined
    bool lost_ = false;                   // a listen found the game gone
    bool clearDue_ = false;               // set by the minute's timer
    bool clearMomentSeen_ = false;        // a pause saw a moment for the due clear
    bool nameAgain_ = false;              // the game started anew: its name is asked again
    std::vector<std::filesystem::path> watched_;
    bool gathering_ = false;  // a busy game's ear is looked at, not watched
    std::optional<ui::Frame> dockedTo_;  // the main window's frame at the last docking
};

}  // namespace varnok::engine
