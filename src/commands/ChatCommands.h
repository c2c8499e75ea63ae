#pragma once
// The "!" chat commands the local player types in the game. The engine runs
// the command chain on each line it examines once the player's name is known;
// the two commands that switch the replies are part of the engine's event
// chain (engine/ReplySwitch.h). At most one command runs per line.

#include <string>
#include <string_view>

namespace varnok::commands {

struct CommandContext;

// A command word is recognised in the player's own chat line: the line begins
// with the player's name exactly (letter case included), ": " and the word,
// letter case ignored. The word matches as a beginning: "!nextx" is "!next".
bool isCommand(std::string_view newText, std::string_view playerName, std::string_view word);

// The command chain ("!load", "!playlist", "!stop", ...) on the line being
// examined, first match only. True when a command ran.
bool runChatCommands(const CommandContext& context, const std::string& newText,
                     const std::string& playerName);

}  // namespace varnok::commands
