#pragma once
// The platform services the application is composed from: the Win32 adapters
// in Varnok.exe, in-memory ones in the tests.

#include <filesystem>

#include "ports/Clock.h"
#include "ports/MediaGraph.h"
#include "ports/Toolkit.h"
#include "ports/VersionRecord.h"
#include "ports/WindowManager.h"

namespace varnok::ui {

struct Services {
    Toolkit& toolkit;
    console::WindowManager& windows;
    engine::Clock& clock;
    sysinfo::VersionSource& version;
    player::MediaGraphFactory& media;
    std::filesystem::path programFolder;  // the folder of the running program

    // The "Saves" folder beside the program.
    std::filesystem::path savesFolder() const { return programFolder / "Saves"; }
};

}  // namespace varnok::ui
