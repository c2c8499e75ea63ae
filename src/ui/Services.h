#pragma once
// The platform services the application is composed from: the Win32 adapters
// in Varnok.exe, in-memory ones in the tests.

#include <filesystem>

#include "console/WindowManager.h"
#include "engine/Clock.h"
#include "player/MediaGraph.h"
#include "sysinfo/VersionRecord.h"
#include "ui/Toolkit.h"

namespace varnok::ui {

struct Services {
    Toolkit& toolkit;
    console::WindowManager& windows;
    engine::Clock& clock;
    sysinfo::VersionSource& version;
    player::MediaGraphFactory& media;
    std::filesystem::path programFolder;  // the folder of the running program
};

}  // namespace varnok::ui
