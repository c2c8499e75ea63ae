// The chain of chat commands after the reply switch; filled command by command.
#include "commands/ChatCommands.h"

namespace varnok::commands {

bool runChatCommands(ui::Application&) {
    return false;  // no command of the chain is recognised yet
}

}  // namespace varnok::commands
