#include "engine/Engine.h"

#include <filesystem>
#include <system_error>

#include "ports/Failures.h"
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
    dockPlayerWindow();

    // With no console, searching the whole desktop is the turn's only work:
    // it runs at the pace's slower interval, not on every wake-up.
    if (state.consoleWnd == 0 && !pace.searchDue(app_.services.clock.now())) return false;
    const bool busy = watchConsole();
    if (!app_.console.takeLostConsole()) return busy;
    // The kept console's pane answered that it is gone: the console closed
    // since the last turn. A new one (the game restarted) is looked for at once.
    state.consoleWnd = 0;
    state.resetConsole();
    const bool found = watchConsole();
    app_.console.takeLostConsole();  // gone again already: the next turn searches
    return found || busy;
}

bool Engine::watchConsole() {
    const console::WindowHandle previous = state.consoleWnd;
    state.consoleWnd = findConsole();
    if (state.consoleWnd == 0) {
        forgetConsole();
        return false;
    }
    // Another console than last turn's: the game restarted between two turns,
    // and the pane, the lengths and the name belong to the old one.
    if (previous != 0 && previous != state.consoleWnd) state.resetConsole();
    ui::FrmMain& main = app_.frmMain;
    if (!main.cmdBack->visible()) main.cmdBack->setVisible(true);
    return trackConsole();
}

void Engine::forgetConsole() {
    ui::FrmMain& main = app_.frmMain;
    if (main.cmdBack->visible()) main.cmdBack->setVisible(false);
    state.resetConsole();
    showNotRunningStatus();
}

// A turn that fails is skipped as a whole and written down; the next one
// starts after the usual wait, so a failure that repeats cannot spin a core.
void Engine::run() {
    ui::Toolkit& toolkit = app_.services.toolkit;
    while (!toolkit.ended()) {
        bool busy = false;
        runContained("a turn", [this, &busy] { busy = turn(); });
        if (toolkit.ended()) break;
        const auto now = app_.services.clock.now();
        if (busy) {
            pace.noteBusy(now);
            continue;
        }
        const auto wait = pace.waitAfterTurn(now, state.consoleWnd != 0);
        toolkit.idle(static_cast<unsigned>(wait.count()));
    }
}

void Engine::dockPlayerWindow() {
    ui::FrmMain& main = app_.frmMain;
    const ui::Frame frame = main.window->frame();
    if (dockedTo_ && dockedTo_->left == frame.left && dockedTo_->top == frame.top &&
        dockedTo_->width == frame.width && dockedTo_->height == frame.height)
        return;
    main.chkPlaylist_Click();
    dockedTo_ = frame;
}

console::WindowHandle Engine::findConsole() {
    const ui::FrmMain& main = app_.frmMain;
    return app_.console.findConfiguredConsole(main.Text2->text(), main.Text1->text());
}

bool Engine::yieldToWindows() {
    app_.services.toolkit.yield();
    return !app_.services.toolkit.ended();
}

void Engine::setStatus(const std::string& text) {
    ui::Label& status = *app_.frmMain.lblPlatform;
    if (status.caption() != text) status.setCaption(text);
}

void Engine::showStartUpStatus() {
    setStatus("[ " + os->Platform() + " - " + buildText + " ]");
}

void Engine::showNotRunningStatus() {
    setStatus("[ Current Player: <JKA is not running>  OS: " + os->Platform() + " Build " +
              buildText + " ]");
}

void Engine::showPlayerStatus() {
    setStatus("[ Current Player: " + state.playerName + "  OS: " + os->Platform() + " Build " +
              buildText + " ]");
}

}  // namespace varnok::engine
