#include "engine/ReplySwitch.h"

#include "commands/ChatCommands.h"

namespace varnok::engine {

bool replyOffTest(const SwitchTurn& turn) {
    if (!turn.state.replyOn || !commands::isCommand(turn.newText, turn.playerName, "!replyoff"))
        return false;
    waitSeconds(turn.clock, 1.0f);
    turn.console.SendConsoleCommand("say ^1Varnok terminated");
    turn.state.replyOn = false;
    return true;
}

bool replyOnTest(const SwitchTurn& turn) {
    if (turn.state.replyOn || !commands::isCommand(turn.newText, turn.playerName, "!ReplyON"))
        return false;
    turn.state.replyOn = true;
    waitSeconds(turn.clock, 1.0f);
    turn.console.SendConsoleCommand(kAnnouncement);
    return true;
}

}  // namespace varnok::engine
