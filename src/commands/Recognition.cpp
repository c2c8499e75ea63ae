// How a chat command is told apart from any other console text.
#include <string>

#include "commands/ChatCommands.h"
#include "text/Text.h"

namespace varnok::commands {

bool isCommand(std::string_view newText, std::string_view playerName, std::string_view word) {
    if (!text::beginsWith(newText, playerName)) return false;
    std::string spoken(playerName);
    spoken += ": ";
    spoken += word;
    return text::containsNoCase(newText, spoken);
}

}  // namespace varnok::commands
