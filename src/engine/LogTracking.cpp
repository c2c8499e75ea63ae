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

bool Engine::trackConsole() {
    keepPaneAndName();
    checkShrink();
    state.curLen = static_cast<std::int32_t>(app_.console.ReadTextLength(state.outputPane));
    if (state.curLen >= kPaneLimit) return skipFullPane();

    bool extracted = false;
    if (state.prevLen < state.curLen) {
        if (!yieldToWindows()) return false;
        extractNewText();
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
    } else if (state.playerName.empty()) {
        app_.console.SendConsoleCommand("/name");
    }
}

// The pane measured shorter last turn than what had been taken: it was cleared.
void Engine::checkShrink() {
    if (state.prevLen <= state.curLen) return;
    if (state.clearDue) sendClear();
    state.prevLen = 0;
}

// The text present in a full pane is never examined; tracking restarts from
// the length it has afterwards.
bool Engine::skipFullPane() {
    if (!yieldToWindows()) return false;
    const bool clearing = state.clearDue;
    if (clearing) sendClear();
    state.curLen = static_cast<std::int32_t>(app_.console.ReadTextLength(state.outputPane));
    state.prevLen = state.curLen;
    return clearing;
}

void Engine::extractNewText() {
    const std::string pane = app_.console.ReadWindowText(state.outputPane);
    const auto added = static_cast<std::size_t>(state.curLen - state.prevLen);
    state.newText = text::lastChars(pane, std::min(added, kMaxNewText));
    state.prevLen = state.curLen;
    app_.frmMain.ChatText->setCaption(state.newText);
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
