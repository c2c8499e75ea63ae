// Log tracking of a turn that found the console: the output pane only grows
// until something clears it, so each turn measures it, cuts out what was added
// since the last look and hands it on; "/clear" keeps it from filling up.
#include <algorithm>

#include "commands/ChatCommands.h"
#include "engine/Engine.h"
#include "engine/EventReplies.h"
#include "engine/NameReader.h"
#include "text/Text.h"
#include "ui/Application.h"

namespace varnok::engine {

namespace {
constexpr const char* kEngineLoadHint = "Loading dll file ";
}

// A pane that does not answer in time (the game stalls, say on a map load)
// gives no measurement and no text: the turn skips, nothing counts as a clear,
// and tracking goes on from the same place once the game answers again.
bool Engine::trackConsole() {
    keepPaneAndName();
    checkShrink();
    const std::optional<long> length = app_.console.ReadTextLength(state.outputPane);
    if (!length) return false;
    state.curLen = static_cast<std::int32_t>(*length);
    if (state.curLen >= kPaneLimit) return skipFullPane();

    bool extracted = false;
    if (state.prevLen < state.curLen) {
        if (!yieldToWindows()) return false;
        if (!extractNewText()) return false;
        extracted = true;
    }
    if (text::containsNoCase(state.newText, kEngineLoadHint))
        app_.console.SendConsoleCommand("name");

    if (state.newText == state.lastText) return extracted;
    state.lastText = state.newText;
    handleNewText();
    return true;
}

void Engine::keepPaneAndName() {
    if (state.outputPane == 0) {
        state.outputPane = app_.console.FindOutputPane(state.consoleWnd);
        if (state.clearDue) sendClear();
    } else if (!state.playerName.empty()) {
        state.nameQueries.restart();  // the next spell without a name asks at once
    } else if (state.nameQueries.allow(app_.services.clock.now())) {
        app_.console.SendConsoleCommand("/name");
    }
}

// The pane measured shorter last turn than what had been taken: it was cleared.
void Engine::checkShrink() {
    if (state.prevLen <= state.curLen) return;
    if (state.clearDue) sendClear();
    state.prevLen = 0;
}

// A full pane is cleared at once, without waiting for a due clear: the game
// prints nothing new there, so Varnok would hear nothing until the next
// minute's clear. The text present is never examined; tracking restarts from
// the length the pane has afterwards (a clear not yet done shows as a shrink
// on a later turn).
bool Engine::skipFullPane() {
    if (!yieldToWindows()) return false;
    const bool paced = state.fullPaneClears.allow(app_.services.clock.now());
    const bool clearing = state.clearDue || paced;
    if (clearing) sendClear();
    if (const std::optional<long> after = app_.console.ReadTextLength(state.outputPane))
        state.curLen = static_cast<std::int32_t>(*after);
    state.prevLen = state.curLen;
    return clearing;
}

bool Engine::extractNewText() {
    const std::optional<std::string> pane = app_.console.ReadWindowText(state.outputPane);
    if (!pane) return false;
    const auto added = static_cast<std::size_t>(state.curLen - state.prevLen);
    state.newText = text::lastChars(*pane, std::min(added, kMaxNewText));
    state.prevLen = state.curLen;
    app_.frmMain.ChatText->setCaption(state.newText);
    return true;
}

void Engine::handleNewText() {
    if (!state.playerName.empty() && state.replyOn) {
        if (EventReplies(app_, *this).run()) return;
    } else {
        commands::replyOnTest(app_);
    }
    if (app_.services.toolkit.ended()) return;
    if (!state.playerName.empty()) commands::runChatCommands(app_);
    if (app_.services.toolkit.ended()) return;
    if (text::containsNoCase(state.newText, kNamePhrase)) readName();
}

// A value found replaces the name (an empty value forgets it); a cut-off line
// keeps it. Either way the status line names the player and the latest text
// is taken down from the window. Only the answer's own line is walked, so
// quotes on the lines before it cannot make a name of a line break.
void Engine::readName() {
    if (!yieldToWindows()) return;
    const std::string_view answer =
        text::lineHolding(state.newText, kNamePhrase).value_or(state.newText);
    bool ended = false;
    std::optional<std::string> name = readNameValue(answer, [this, &ended] {
        ended = !yieldToWindows();
        return !ended;
    });
    if (ended) return;
    if (name) state.playerName = *name;
    showPlayerStatus();
    app_.frmMain.ChatText->setCaption("");
}

void Engine::sendClear() {
    app_.console.SendConsoleCommand("/clear");
    state.clearDue = false;
}

}  // namespace varnok::engine
