// "!load" and "!playlist": a reply file or a playlist file from the "Saves"
// folder, by a name typed in the chat. The name is text from the game, so one
// that could reach outside the folder is refused before anything is read.
#include "commands/Commands.h"

namespace varnok::commands {

namespace {
constexpr float kAfterLoadSeconds = 0.9f;

// The name after the command word; a cut that finds nothing leaves it empty,
// which names the file saved under the empty name.
std::string nameArgument(const CommandTurn& turn, std::string_view marker, std::size_t offset) {
    return commandArgument(turn.newText, marker, offset).value_or("");
}
}  // namespace

void loadCommand(const CommandTurn& turn) {
    const std::string name = nameArgument(turn, ": !load", 8);
    const bool loaded = isPlainFileName(name) && turn.context.host.loadReplies(name);
    turn.wait(kAfterLoadSeconds);
    if (loaded)
        turn.send("say ^7" + console::outside(name) + " ^1loaded successfully");
    else
        turn.send("say ^1Error opening file ^7" + console::outside(name));
}

void playlistCommand(const CommandTurn& turn) {
    const std::string name = nameArgument(turn, ": !playlist", 12);
    const bool loaded = isPlainFileName(name) && turn.context.frmPlay.openIt2(name);
    turn.wait(kAfterLoadSeconds);
    if (loaded)
        turn.send("say ^7 " + console::outside(name) + " ^1loaded successfully");
    else
        turn.send("say ^1Error opening playlist ^7" + console::outside(name));
}

}  // namespace varnok::commands
