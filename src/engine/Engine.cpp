#include "engine/Engine.h"

#include <filesystem>
#include <system_error>

#include "ports/Failures.h"

namespace varnok::engine {

// A reply's pause does not blind the engine: the console is still read.
Engine::Engine(const EngineContext& context) : ctx_(context) {
    ctx_.clock.watchDuringPauses([this] { listenDuringPause(); });
}
Engine::~Engine() {
    ctx_.clock.watchDuringPauses({});
}

void Engine::startUp() {
    os = std::make_unique<sysinfo::COpSysInfo>(ctx_.version);
    buildText = std::to_string(os->BuildNumber());
    showStartUpStatus();
    state.replyOn = true;

    state.consoleWnd = findConsole();
    state.outputPane = ctx_.console.FindOutputPane(state.consoleWnd);
    ctx_.wakeups.watchProcessOf(state.consoleWnd);
    // What the console holds already is read before anything is asked, so
    // that the answers are new text and not taken for text printed before
    // Varnok looked; its last lines are examined on the first turn.
    if (state.outputPane != 0) listen(true);
    askName("name");

    std::error_code ignored;  // an existing or uncreatable folder is no error here
    std::filesystem::create_directory(ctx_.savesFolder, ignored);
}

bool Engine::turn() {
    if (!yieldToWindows()) return false;
    dockPlayerWindow();
    // The game's process ended: its console is gone, whatever was vouched for it.
    if (ctx_.wakeups.takeProcessEnd()) ctx_.console.doubtKept();

    // With no console, searching the whole desktop is the turn's only work:
    // it runs at the pace's slower interval, not on every wake-up.
    if (state.consoleWnd == 0 && !pace.searchDue(ctx_.clock.now())) return false;
    const bool busy = watchConsole();
    if (!ctx_.console.takeLostConsole()) return busy;
    // The kept console's pane answered that it is gone: the console closed
    // since the last turn. A new one (the game restarted) is looked for at once.
    state.consoleWnd = 0;
    dropConsoleState();
    const bool found = watchConsole();
    ctx_.console.takeLostConsole();  // gone again already: the next turn searches
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
    if (previous != 0 && previous != state.consoleWnd) dropConsoleState();
    if (previous != state.consoleWnd) ctx_.wakeups.watchProcessOf(state.consoleWnd);
    ui::Button& back = ctx_.host.backButton();
    if (!back.visible()) back.setVisible(true);
    // A game that refuses Varnok's messages is not asked anything more.
    if (ctx_.console.refused()) {
        showRefusedStatus();
        return false;
    }
    return trackConsole();
}

void Engine::dropConsoleState() {
    if (state.log.stage != LogEar::Stage::Undecided) ctx_.wakeups.watchFolders({});
    state.resetConsole();
}

void Engine::forgetConsole() {
    ui::Button& back = ctx_.host.backButton();
    if (back.visible()) back.setVisible(false);
    dropConsoleState();
    showNotRunningStatus();
}

// A turn that fails is skipped as a whole and written down; the next one
// starts after the usual wait, so a failure that repeats cannot spin a core.
void Engine::run() {
    ui::Toolkit& toolkit = ctx_.toolkit;
    while (!toolkit.ended()) {
        bool busy = false;
        runContained("a turn", [this, &busy] { busy = turn(); });
        if (toolkit.ended()) break;
        const auto now = ctx_.clock.now();
        // The log wakes the wait when it gets more: a turn that found text
        // need not be followed by another at once, as one polling the pane is.
        const bool onLog = state.consoleWnd != 0 && state.log.stage == LogEar::Stage::Reading;
        if (busy && !onLog) {
            pace.noteBusy(now);
            continue;
        }
        if (!onLog) {
            toolkit.idle(
                static_cast<unsigned>(pace.waitAfterTurn(now, state.consoleWnd != 0).count()));
            continue;
        }
        // A game printing line after line (a busy server) is read a few lines at
        // a time: after text that came soon after the text before, the next
        // change waits a little. The first line after a quiet spell is read at once.
        const bool gathering = busy && lastLogText_ && now >= *lastLogText_ &&
                               now - *lastLogText_ < kLogBusySpell;
        if (busy) lastLogText_ = now;
        if (!gathering) {
            toolkit.idle(waitWhileOnLog());
            continue;
        }
        ctx_.wakeups.holdFolders(true);
        toolkit.idle(std::min<unsigned>(waitWhileOnLog(), kLogGatherMs));
        ctx_.wakeups.holdFolders(false);
    }
}

// Until the next thing due: the pane's length, a line's wait for its end, a
// say's echo, the name asked again. Everything else wakes the wait itself.
unsigned Engine::waitWhileOnLog() {
    const auto now = ctx_.clock.now();
    auto next = now + LogEar::kPaneCheck;
    auto sooner = [&next](std::optional<Clock::TimePoint> at) {
        if (at && *at < next) next = *at;
    };
    sooner(state.log.paneChecks.nextAllowed());
    sooner(state.log.lines.due());
    sooner(ctx_.console.nextEchoDeadline());
    if (state.playerName.empty()) sooner(state.nameQueries.nextAllowed());
    if (next <= now) return 0;
    return static_cast<unsigned>(std::chrono::ceil<std::chrono::milliseconds>(next - now).count());
}

void Engine::dockPlayerWindow() {
    const ui::Frame frame = ctx_.host.mainWindow().frame();
    if (dockedTo_ && dockedTo_->left == frame.left && dockedTo_->top == frame.top &&
        dockedTo_->width == frame.width && dockedTo_->height == frame.height)
        return;
    ctx_.host.dockPlayer();
    dockedTo_ = frame;
}

// The questions are local commands: nothing reaches the server. Each is
// typed alone, so that each answer is a line of its own.
void Engine::askName(const char* command, bool engineLoaded) {
    ctx_.console.SendConsoleCommand(command);
    if (state.consoleWnd == 0) return;
    if (engineLoaded ? !state.gameQuestions.allow(ctx_.clock.now()) : state.gameAsked) return;
    const bool consoleFound = !state.gameAsked;
    state.gameAsked = true;
    state.gameQuestions.allow(ctx_.clock.now());
    for (const char* question : GameLanguage::kQuestions)
        ctx_.console.SendConsoleCommand(console::CommandLine(std::string_view(question)));
    // Whether the game writes its log, and where: asked once a console.
    if (consoleFound && !ctx_.paneOnly) {
        ctx_.console.SendConsoleCommand("logfile");
        ctx_.console.SendConsoleCommand("fs_homepath");
    }
}

console::WindowHandle Engine::findConsole() {
    return ctx_.console.findConfiguredConsole(ctx_.host.consoleClass(), ctx_.host.consoleTitle());
}

bool Engine::yieldToWindows() {
    ctx_.toolkit.yield();
    return !ctx_.toolkit.ended();
}

void Engine::setStatus(const std::string& text) {
    ui::Label& status = ctx_.host.statusLine();
    if (status.caption() != text) status.setCaption(text);
}

void Engine::showStartUpStatus() {
    setStatus("[ " + os->Platform() + " - " + buildText + " ]");
}

void Engine::showNotRunningStatus() {
    setStatus("[ Current Player: <JKA is not running>  OS: " + os->Platform() + " Build " +
              buildText + " ]");
}

void Engine::showRefusedStatus() {
    setStatus("[ JKA runs as administrator: start Varnok as administrator too ]");
}

void Engine::showPlayerStatus() {
    setStatus("[ Current Player: " + state.playerName + "  OS: " + os->Platform() + " Build " +
              buildText + " ]");
}

}  // namespace varnok::engine
