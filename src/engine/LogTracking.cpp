// Log tracking of a turn that found the console: each turn measures the output
// pane, reads it when its length changed and hands every complete line
// printed since the last reading to the recognisers, one by one and in the
// order printed; "/clear" goes out when the minute's clear is due.
#include <algorithm>

#include "commands/ChatCommands.h"
#include "engine/Engine.h"
#include "engine/EventReplies.h"
#include "engine/GameLines.h"
#include "engine/NameReader.h"
#include "engine/ReplySwitch.h"
#include "ports/Failures.h"
#include "text/Text.h"

namespace varnok::engine {

namespace {
constexpr const char* kEngineLoadHint = "Loading dll file ";
}

// A say the server dropped (its echo is not among the lines read by now,
// and the game ran since it was due) goes out again before the new lines are
// examined. Every line read is examined in the order printed, however many
// one reading brings, and so are the lines a reply's pause read meanwhile:
// they wait in `heard` and come after the line whose reply paused.
bool Engine::trackConsole() {
    keepPaneAndName();
    const bool onLog = state.log.stage == LogEar::Stage::Reading;
    if (onLog) ctx_.console.askIfGameRuns();
    const bool tookText = onLog ? listenToLog(false) : listen(false);
    if (state.log.stage == LogEar::Stage::Looking) lookForLog();
    ctx_.console.resendDropped();
    bool examined = false;
    while (!state.heard.empty() && !ctx_.toolkit.ended()) {
        const std::string line = std::move(state.heard.front());
        state.heard.pop_front();
        examineLine(line);
        examined = true;
    }
    return tookText || examined;
}

// A pane that does not answer in time (the game stalls, say on a map load)
// gives no measurement and no text: tracking goes on from the same place once
// the game answers again. What is new is decided by the text read, not by the
// lengths measured, so text printed between the two messages is neither
// taken twice nor skipped. In a pause nothing yields and nothing is typed: a
// moment for the due clear waits for the next turn.
bool Engine::listen(bool inPause) {
    const std::optional<long> length = ctx_.console.ReadTextLength(state.outputPane);
    if (!length) return false;
    state.curLen = static_cast<std::int32_t>(*length);
    // A pane shorter than at the last reading was emptied or replaced, and a
    // full one is about to replace itself: moments for the due clear.
    const bool clearMoment = state.curLen < state.prevLen || state.curLen >= kPaneLimit;
    if (inPause) {
        state.clearMomentSeen = state.clearMomentSeen || clearMoment;
    } else {
        if (state.clearDue && (clearMoment || state.clearMomentSeen)) sendClear();
        state.clearMomentSeen = false;
    }

    bool tookText = false;
    // A pane seen for the first time is read even when empty: what it holds
    // then was printed before Varnok looked, and what comes after is new.
    if (state.curLen != state.prevLen || state.lines.fresh()) {
        if (!inPause && !yieldToWindows()) return false;
        const std::optional<std::string> pane =
            ctx_.console.ReadPaneText(state.outputPane, state.curLen);
        if (!pane) return false;
        state.prevLen = state.curLen;
        ConsoleLines::Taken taken = state.lines.take(*pane, ctx_.clock.now());
        if (!taken.added.empty()) {
            tookText = true;
            ctx_.host.chatText().setCaption(text::lastChars(taken.added, kMaxNewText));
        }
        for (std::string& line : taken.lines) {
            if (!isConsoleEcho(line)) state.log.lastPaneLine = line;
            hear(std::move(line));
        }
    }
    if (std::optional<std::string> line = state.lines.overdue(ctx_.clock.now()))
        hear(std::move(*line));
    return tookText;
}

void Engine::listenDuringPause() {
    if (state.consoleWnd == 0) return;
    if (state.log.stage == LogEar::Stage::Reading)
        listenToLog(true);
    else if (state.outputPane != 0)
        listen(true);
}

void Engine::hear(std::string line) {
    ctx_.console.heard(line, state.playerName);
    state.heard.push_back(std::move(line));
}

void Engine::keepPaneAndName() {
    if (state.outputPane == 0) {
        state.outputPane = ctx_.console.FindOutputPane(state.consoleWnd);
        if (state.clearDue) sendClear();
    } else if (!state.playerName.empty()) {
        state.nameQueries.restart();  // the next spell without a name asks at once
    } else if (state.nameQueries.allow(ctx_.clock.now())) {
        askName("/name");
    }
}

// One complete line: the engine-load hint, the change gate, then the
// recognisers. A line longer than the recognisers take keeps its end.
void Engine::examineLine(const std::string& line) {
    if (watchLines) watchLines(line);
    state.newText = text::lastChars(line, kMaxNewText);
    if (text::containsNoCase(state.newText, kEngineLoadHint)) askName("name", true);
    if (state.newText == state.lastText) return;
    state.lastText = state.newText;
    // The end of a long line someone said or typed may look like the game's
    // message or a line of the player's own: nothing in it is handled.
    const bool cut = state.newText.size() < line.size();
    if (cut && !isGameMessage(line)) return;
    handleNewText(!cut);
}

void Engine::handleNewText(bool startShown) {
    if (!state.playerName.empty() && state.replyOn) {
        if (EventReplies(*this).run()) return;
    } else {
        replyOnTest(state, ctx_.console, ctx_.clock);
    }
    if (ctx_.toolkit.ended()) return;
    if (!state.playerName.empty())
        commands::runChatCommands(ctx_.commands, state.newText, state.playerName);
    if (ctx_.toolkit.ended()) return;
    // The game's answers are known by how their lines begin.
    if (!startShown) return;
    if (text::beginsWithNoCase(state.newText, kNamePhrase))
        readName();
    else
        readGameAnswer();
}

// The phrases are read anew when the answers complete or change what they
// are read for; what the reading passed over is written down.
void Engine::readGameAnswer() {
    if (language.readAnswer(state.newText)) {
        for (const std::string& problem : language.takeProblems())
            reportFailure("a file of the game's texts", problem);
    } else if (std::optional<std::string> logfile = cvarValue(state.newText, "logfile")) {
        state.log.logfile = std::move(logfile);
    } else if (std::optional<std::string> home = cvarValue(state.newText, "fs_homepath")) {
        state.log.homePath = std::move(home);
    } else {
        return;
    }
    decideLog();
}

// Only the game's own answer to "name" names the player: a line that begins
// with the phrase (a chat line quoting it begins with the speaker). A value
// found replaces the name (an empty value forgets it); a cut-off line keeps
// it. Either way the status line names the player and the latest text is
// taken down from the window.
void Engine::readName() {
    if (!yieldToWindows()) return;
    bool ended = false;
    std::optional<std::string> name = readNameValue(state.newText, [this, &ended] {
        ended = !yieldToWindows();
        return !ended;
    });
    if (ended) return;
    if (name) state.playerName = *name;
    showPlayerStatus();
    ctx_.host.chatText().setCaption("");
}

void Engine::sendClear() {
    ctx_.console.SendConsoleCommand("/clear");
    state.clearDue = false;
}

}  // namespace varnok::engine
