#pragma once
// The "!" chat commands the local player types in the game. The log tracking
// runs them on each new console text, at these three points of a turn:
//   - replyOffTest, inside the event replies (name known and replies on), at
//     its fixed place in their chain;
//   - replyOnTest, in place of the whole event chain while the name is unknown
//     or the replies are off;
//   - runChatCommands, afterwards, whenever the name is known.
// Each reads the line being examined from the engine state and answers through
// the console. At most one command runs per line.

#include <string_view>

namespace varnok::ui {
class Application;
}

namespace varnok::commands {

// A command word is recognised in the player's own chat line: the line begins
// with the player's name exactly (letter case included), ": " and the word,
// letter case ignored. The word matches as a beginning: "!nextx" is "!next".
bool isCommand(std::string_view newText, std::string_view playerName, std::string_view word);

// "!replyoff" while the replies are on: after 1 s says "^1Varnok terminated"
// and switches them off. True when recognised.
bool replyOffTest(ui::Application& app);

// "!ReplyON" while the replies are off: switches them on and after 1 s sends
// the announcement. True when recognised.
bool replyOnTest(ui::Application& app);

// The command chain ("!load", "!playlist", "!stop", ...), first match only.
// True when a command ran.
bool runChatCommands(ui::Application& app);

}  // namespace varnok::commands
