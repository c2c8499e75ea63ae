#pragma once
// How a chat line Varnok types comes back. The game sends "say TEXT" to its
// server, which prints it back to every player, the sender too, as
// "NAME: TEXT" in the console's pane; on the way the text changes:
// - the game's tokenizer splits the arguments at blanks, keeps a quoted span
//   whole without its quotes, ends them at a "//" outside quotes, and joins
//   the words again with one blank;
// - the game's command buffer ends the command at a ";" outside quotes;
// - the server shows each "%" as ".";
// - the whole line as sent, "NAME^7: ^2TEXT" with the colour codes of the
//   name and the text, is cut to kChatLineBytes;
// - the pane drops the colour codes ^0 to ^7.

#include <cstddef>
#include <string>
#include <string_view>

namespace varnok::console {

// The most bytes of a chat line as sent to the players.
inline constexpr std::size_t kChatLineBytes = 149;

// Whether the game sends a typed line to its server as a command of the
// player's: chat ("say", "say_team", "tell"), which the flood guard counts.
bool goesToServer(std::string_view typedLine);

// The text of the chat line that a typed "say" line comes back as (without
// the speaker), colour codes kept; empty for a line that is no "say" or says
// nothing, which the game never prints back.
std::string chatTextSent(std::string_view typedLine);

// Whether `shown`, the text of the player's own chat line as the pane shows
// it, is the echo of `sent` (from chatTextSent) spoken by a name the pane
// shows as `speaker`: the same text, or its beginning when the line was
// long enough to be cut.
bool isEchoOf(std::string_view shown, std::string_view sent, std::string_view speaker);

}  // namespace varnok::console
