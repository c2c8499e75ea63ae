// The two chat commands that switch the automatic replies off and on.
#include "commands/ChatCommands.h"
#include "engine/EventReplies.h"
#include "ui/Application.h"

namespace varnok::commands {

namespace {
engine::EngineState& stateOf(ui::Application& app) {
    return app.frmMain.engine.state;
}
}  // namespace

bool replyOffTest(ui::Application& app) {
    engine::EngineState& state = stateOf(app);
    if (!state.replyOn || !isCommand(state.newText, state.playerName, "!replyoff")) return false;
    engine::waitSeconds(app.services.clock, 1.0f);
    app.console.SendConsoleCommand("say ^1Varnok terminated");
    state.replyOn = false;
    return true;
}

bool replyOnTest(ui::Application& app) {
    engine::EngineState& state = stateOf(app);
    if (state.replyOn || !isCommand(state.newText, state.playerName, "!ReplyON")) return false;
    state.replyOn = true;
    engine::waitSeconds(app.services.clock, 1.0f);
    app.console.SendConsoleCommand(engine::kAnnouncement);
    return true;
}

}  // namespace varnok::commands
