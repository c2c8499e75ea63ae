#pragma once
// The platform services the application is composed from: the Win32 adapters
// in Varnok.exe, in-memory ones in the tests.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ports/Clock.h"
#include "ports/ConsoleInput.h"
#include "ports/GameStarter.h"
#include "ports/MediaGraph.h"
#include "ports/Toolkit.h"
#include "ports/VersionRecord.h"
#include "ports/Wakeups.h"
#include "ports/WindowManager.h"

namespace varnok::ui {

// A game to start at once ("--game EXE ARGS...").
struct GameToStart {
    std::filesystem::path exe;
    std::vector<std::string> arguments;
};

struct Services {
    Toolkit& toolkit;
    console::WindowManager& windows;
    engine::Clock& clock;
    sysinfo::VersionSource& version;
    player::MediaGraphFactory& media;
    engine::Wakeups& wakeups;
    console::GameStarter& starter;
    console::ConsoleInput& consoleInput;
    std::filesystem::path programFolder;  // the folder of the running program
    // Read the game's console pane only, never its log ("--pane").
    bool paneOnly = false;
    std::optional<GameToStart> gameToStart;

    // The "Saves" folder beside the program.
    std::filesystem::path savesFolder() const { return programFolder / "Saves"; }
};

}  // namespace varnok::ui
