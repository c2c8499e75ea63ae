#include "engine/Engine.h"

#include <filesystem>
#include <system_error>

#include "engine/Failures.h"
#include "ui/Application.h"

namespace varnok::engine {

Engine::Engine(ui::Application& app) : app_(app) {}
Engine::~Engine() = default;

void Engine::startUp() {
    os = std::make_unique<sysinfo::COpSysInfo>(app_.services.version);
    buildText = std::to_string(os->BuildNumber());
    showStartUpStatus();
    state.replyOn = true;

    state.consoleWnd = findConsole();
    state.outputPane = app_.console.FindOutputPane(state.consoleWnd);
    app_.console.SendConsoleCommand("name");

    std::error_code ignored;  // an existing or uncreatable folder is no error here
    std::filesystem::create_directory(app_.savesFolder(), ignored);
}

bool Engine::turn() {
    if (!yieldToWindows()) return false;

    ui::FrmMain& main = app_.frmMain;
    main.chkPlaylist_Click();

    state.consoleWnd = findConsole();
    if (state.consoleWnd == 0) {
        if (main.cmdBack->visible()) main.cmdBack->setVisible(false);
        state.resetConsole();
        showNotRunningStatus();
        return false;
    }
    if (!main.cmdBack->visible()) main.cmdBack->setVisible(true);
    return trackConsole();
}

// A turn that fails is skipped as a whole and written down; the next one
// starts after the usual wait, so a failure that repeats cannot spin a core.
void Engine::run() {
    ui::Toolkit& toolkit = app_.services.toolkit;
    while (!toolkit.ended()) {
        bool busy = false;
        runContained("a turn", [this, &busy] { busy = turn(); });
        if (!busy && !toolkit.ended()) toolkit.idle(kIdleWaitMs);
    }
}

console::WindowHandle Engine::findConsole() {
    const ui::FrmMain& main = app_.frmMain;
    return app_.console.findConfiguredConsole(main.Text2->text(), main.Text1->text());
}

bool Engine::yieldToWindows() {
    app_.services.toolkit.yield();
    return !app_.services.toolkit.ended();
}

void Engine::showStartUpStatus() {
    app_.frmMain.lblPlatform->setCaption("[ " + os->Platform() + " - " + buildText + " ]");
}

void Engine::showNotRunningStatus() {
    app_.frmMain.lblPlatform->setCaption("[ Current Player: <JKA is not running>  OS: " +
                                         os->Platform() + " Build " + buildText + " ]");
}

void Engine::showPlayerStatus() {
    app_.frmMain.lblPlatform->setCaption("[ Current Player: " + state.playerName +
                                         "  OS: " + os->Platform() + " Build " + buildText + " ]");
}

}  // namespace varnok::engine
