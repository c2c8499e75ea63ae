#include "engine/Engine.h"

#include <filesystem>
#include <system_error>

#include "ports/Failures.h"

namespace varnok::engine {

// A reply's pause does not blind the engine: the game is still listened to.
Engine::Engine(const EngineContext& context)
    : ctx_(context),
      status_(ctx_.host),
      questions_(ctx_.console, ctx_.link, ctx_.clock),
      examination_({ctx_.toolkit, ctx_.clock, ctx_.console, ctx_.link, ctx_.commands, ctx_.host,
                    questions_, status_}) {
    ctx_.clock.watchDuringPauses([this] { listenDuringPause(); });
}
Engine::~Engine() {
    ctx_.clock.watchDuringPauses({});
}

// What the game printed already is read before anything is asked, so that
// the answers are new text and not taken for text printed before Varnok
// looked; its last lines are examined on the first turn.
void Engine::startUp() {
    status_.startUp(ctx_.version);
    examination_.switchRepliesOn();
    if (ctx_.link.find(ctx_.host.consoleClass(), ctx_.host.consoleTitle()).present) listen(true);
    questions_.askName("name");

    std::error_code ignored;  // an existing or uncreatable folder is no error here
    std::filesystem::create_directory(ctx_.savesFolder, ignored);
}

// With no game, searching the whole desktop is the turn's only work: it runs
// at the pace's slower interval, not on every wake-up. A game found gone
// within the turn (its console closed since the last turn) is looked for
// again at once: a new one (the game restarted) is followed in the same turn.
bool Engine::turn() {
    const bool busy = turnOnce();
    watchFolders();
    return busy;
}

std::optional<console::Wakes> Engine::earWakes() {
    if (!ctx_.link.present()) return std::nullopt;
    return ctx_.link.ear().wakes();
}

bool Engine::turnOnce() {
    if (!yieldToWindows()) return false;
    dockPlayerWindow();
    if (!ctx_.link.present() && !pace_.searchDue(ctx_.clock.now())) return false;
    const bool busy = watchGame();
    if (!lost_) return busy;
    lost_ = false;
    dropGameState();
    const bool found = watchGame();
    lost_ = false;  // gone again already: the next turn searches
    return found || busy;
}

bool Engine::watchGame() {
    const console::GameLink::Look look =
        ctx_.link.find(ctx_.host.consoleClass(), ctx_.host.consoleTitle());
    if (!look.present) {
        forgetGame();
        return false;
    }
    if (look.fresh) dropGameState();
    ui::Button& back = ctx_.host.backButton();
    if (!back.visible()) back.setVisible(true);
    // A game that refuses Varnok's messages, or reads none, is not asked anything.
    if (ctx_.console.refused()) {
        status_.refused();
        return false;
    }
    if (ctx_.link.takesNoCommands()) {
        status_.takesNoCommands();
        return false;
    }
    return followGame(look.fresh);
}

void Engine::forgetGame() {
    ui::Button& back = ctx_.host.backButton();
    if (back.visible()) back.setVisible(false);
    dropGameState();
    status_.notRunning();
}

// The texts, the replies' state and the due clear stay.
void Engine::dropGameState() {
    unexamined_.clear();
    clearMomentSeen_ = false;
    examination_.forgetPlayer();
    questions_.forget();
}

// A say the server dropped (its echo is not among the lines read by now,
// and the game ran since it was due) goes out again before the new lines are
// examined. Every line read is examined in the order printed, however many
// one listen brings, and so are the lines a reply's pause read meanwhile:
// they wait in unexamined_ and come after the line whose reply paused.
bool Engine::followGame(bool fresh) {
    if (!fresh) questions_.keepAsking(!examination_.playerName().empty());
    ctx_.console.askIfGameRuns();
    const bool tookText = listen(false);
    ctx_.console.resendDropped();
    bool examined = false;
    while (!unexamined_.empty() && !ctx_.toolkit.ended()) {
        const std::string line = std::move(unexamined_.front());
        unexamined_.pop_front();
        examination_.examine(line);
        examined = true;
    }
    return tookText || examined;
}

// A moment for the due clear seen in a pause waits for the next turn's
// listen, since a pause types nothing.
bool Engine::listen(bool inPause) {
    const console::Heard heard = ctx_.link.ear().listen(ctx_.clock.now(), inPause);
    if (ctx_.link.note(heard.presence)) lost_ = true;
    // A game started anew may run another profile: its name is asked again
    // (not from a pause, which types nothing).
    nameAgain_ = nameAgain_ || heard.startedAnew;
    if (nameAgain_ && !inPause) {
        nameAgain_ = false;
        questions_.askName("name", true);
    }
    clearMomentSeen_ = clearMomentSeen_ || heard.clearMoment;
    if (!inPause) {
        if (clearDue_ && clearMomentSeen_) sendClear();
        clearMomentSeen_ = false;
    }
    if (!heard.shown.empty()) ctx_.host.chatText().setCaption(heard.shown);
    for (const std::string& line : heard.lines) {
        ctx_.console.notice(line);
        unexamined_.push_back(line);
    }
    return heard.tookText;
}

void Engine::listenDuringPause() {
    if (ctx_.link.present()) listen(true);
}

// A turn that fails is skipped as a whole and written down; the next one
// starts after the usual wait, so a failure that repeats cannot spin a core.
void Engine::run() {
    ui::Toolkit& toolkit = ctx_.toolkit;
    while (!toolkit.ended()) {
        bool busy = false;
        runContained("a turn", [this, &busy] { busy = turn(); });
        if (toolkit.ended()) break;
        const std::optional<console::Wakes> wakes = earWakes();
        std::optional<TimePoint> due = ctx_.console.nextEchoDeadline();
        const std::optional<TimePoint> name =
            questions_.nextNameQuery(!examination_.playerName().empty());
        if (name && (!due || *name < *due)) due = name;
        const std::optional<TurnPace::Wait> wait =
            pace_.after(ctx_.clock.now(), busy, wakes ? &*wakes : nullptr, due);
        if (!wait) continue;
        gathering_ = !wait->watchFolders;
        // A change between the turn's look and the watch's start would wake
        // nothing: a watch made anew is followed by one more look.
        if (watchFolders()) continue;
        toolkit.idle(static_cast<unsigned>(wait->most.count()));
    }
}

bool Engine::watchFolders() {
    std::vector<std::filesystem::path> folders;
    if (const std::optional<console::Wakes> wakes = earWakes(); wakes && !gathering_)
        folders = wakes->folders;
    if (folders == watched_) return false;
    watched_ = folders;
    ctx_.wakeups.watchFolders(folders);
    return !folders.empty();
}

void Engine::dockPlayerWindow() {
    const ui::Frame frame = ctx_.host.mainWindow().frame();
    if (dockedTo_ && dockedTo_->left == frame.left && dockedTo_->top == frame.top &&
        dockedTo_->width == frame.width && dockedTo_->height == frame.height)
        return;
    ctx_.host.dockPlayer();
    dockedTo_ = frame;
}

bool Engine::yieldToWindows() {
    ctx_.toolkit.yield();
    return !ctx_.toolkit.ended();
}

void Engine::sendClear() {
    ctx_.console.SendConsoleCommand("/clear");
    clearDue_ = false;
}

}  // namespace varnok::engine
