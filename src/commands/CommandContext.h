#pragma once
// What the chat commands work with: the console they answer through, the
// game (its main window), the clock of their pauses, the window manager, the
// player window's public operations and the few things of the main window a
// command uses. The engine hands each command the line being examined and the
// player's name by value.

#include <string>

#include "console/ConsoleLink.h"
#include "console/GameLink.h"
#include "player/FrmPlay.h"
#include "ports/Clock.h"
#include "ports/Toolkit.h"
#include "ports/WindowManager.h"

namespace varnok::commands {

// The main window as the commands see it: "!mini" brings its window to the
// front, "!load" loads a reply file into it.
class MainWindowHost {
  public:
    virtual ~MainWindowHost() = default;
    virtual ui::Window& mainWindow() = 0;
    // Loads the reply file of this name from the "Saves" folder; true only when
    // the whole file was valid and the windows took it.
    virtual bool loadReplies(const std::string& name) = 0;
};

struct CommandContext {
    console::ConsoleLink& console;
    console::GameLink& game;
    engine::Clock& clock;
    console::WindowManager& windows;
    player::FrmPlay& frmPlay;
    MainWindowHost& host;
};

}  // namespace varnok::commands
