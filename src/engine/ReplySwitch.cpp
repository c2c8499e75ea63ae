#include "engine/ReplySwitch.h"

#include "commands/ChatCommands.h"
#include "engine/EventReplies.h"

namespace varnok::engine {

bool replyOffTest(EngineState& state, console::ConsoleLink& console, Clock& clock) {
    if (!state.replyOn || !commands::isCommand(state.newText, state.playerName, "!replyoff"))
        return false;
    waitSeconds(clock, 1.0f);
    console.SendConsoleCommand("say ^1Varnok terminated");
    state.replyOn = false;
    return true;
}

bool replyOnTest(EngineState& state, console::ConsoleLink& console, Clock& clock) {
    if (state.replyOn || !commands::isCommand(state.newText, state.playerName, "!ReplyON"))
        return false;
    state.replyOn = true;
    waitSeconds(clock, 1.0f);
    console.SendConsoleCommand(kAnnouncement);
    return true;
}

}  // namespace varnok::engine
