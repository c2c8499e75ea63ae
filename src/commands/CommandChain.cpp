// The chain of chat commands after the reply switch: the words are tested in
// this order and the first one recognised runs its action, so at most one
// command runs a turn. The order matters where one word begins another:
// "!playlist" is tested before "!play".
#include <string_view>

#include "commands/ChatCommands.h"
#include "commands/Commands.h"

namespace varnok::commands {

namespace {

struct ChainEntry {
    std::string_view word;
    void (*action)(const CommandTurn&);
};

constexpr ChainEntry kChain[] = {
    {"!load", loadCommand},
    {"!playlist", playlistCommand},
    {"!stop", stopCommand},
    {"!commands", commandsCommand},
    {"!now", nowCommand},
    {"!next", nextCommand},
    {"!prev", prevCommand},
    {"!mini", miniCommand},
    {"!vol", volCommand},
    {"!pause", pauseCommand},
    {"!listsongs", listSongsCommand},
    {"!play", playCommand},
};

}  // namespace

bool runChatCommands(const CommandContext& context, const std::string& newText,
                     const std::string& playerName) {
    const CommandTurn turn(context, newText, playerName);
    for (const ChainEntry& entry : kChain) {
        if (!isCommand(turn.newText, turn.playerName, entry.word)) continue;
        entry.action(turn);
        return true;
    }
    return false;
}

}  // namespace varnok::commands
