// How a chat command is told apart from any other console text.
#include <string>

#include "commands/ChatCommands.h"
#include "text/Text.h"

namespace varnok::commands {

// Only the player's own chat line counts: one that begins with the name
// exactly, then ": " and the word. A line that merely holds that further on
// (another player quoting the player) or a name that only begins with the
// player's runs nothing; while the name is unknown, no line is the player's.
bool isCommand(std::string_view newText, std::string_view playerName, std::string_view word) {
    if (playerName.empty()) return false;
    std::string speaker(playerName);
    speaker += ": ";
    if (!text::beginsWith(newText, speaker)) return false;
    return text::beginsWithNoCase(newText.substr(speaker.size()), word);
}

}  // namespace varnok::commands
