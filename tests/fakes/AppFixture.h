#pragma once
// The whole application over in-memory adapters, in a fresh temporary program
// folder: the fixture most unit tests build on.

#include <filesystem>
#include <memory>

#include "app/Application.h"
#include "common/TempFolder.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeConsole.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMedia.h"
#include "fakes/FakeToolkit.h"
#include "fakes/FakeWakeups.h"
#include "ports/VersionRecord.h"

namespace varnok::fakes {

class FixedVersion : public sysinfo::VersionSource {
  public:
    sysinfo::VersionRecord record{.majorVersion = 10,
                                  .minorVersion = 0,
                                  .buildNumber = 19045,
                                  .platformId = 2,
                                  .csdVersion = ""};
    sysinfo::VersionRecord read() override { return record; }
};

using testsupport::TempFolder;

struct AppFixture {
    AppFixture();

    // Runs start-up (everything Form_Load does before entering the loop).
    void startUp();
    // Yields until nothing is left for a yield: every open the fake media
    // answers has been answered, and the starts it ended have run.
    void settle();
    // The application made anew, before start-up; `paneOnly` as "--pane" gives.
    void makeApp(bool paneOnly);
    // The main window's controls in their fake types.
    FakeLabel& status() { return fake<FakeLabel>(app->frmMain.lblPlatform); }
    FakeButton& backButton() { return fake<FakeButton>(app->frmMain.cmdBack); }
    FakeWindow& mainWindow() { return fake<FakeWindow>(app->frmMain.window); }
    FakeWindow& playerWindow() { return fake<FakeWindow>(app->frmPlay.window); }
    engine::Engine& engine() { return app->frmMain.engine; }
    console::GameLink& link() { return app->game; }
    // The output pane the link reads; 0 while there is none.
    console::WindowHandle paneRead() const { return app->game.paneEar().pane(); }
    // The player the status line names; empty when it names none.
    std::string shownPlayer();

    TempFolder folder;
    FakeClock clock;
    FakeToolkit toolkit{clock};
    FakeDesktop desktop;
    FixedVersion version;
    FakeMediaFactory media{toolkit};
    FakeWakeups wakeups;
    FakeGameStarter starter;
    FakeConsoleInput consoleInput;
    std::unique_ptr<ui::Application> app;
};

}  // namespace varnok::fakes
