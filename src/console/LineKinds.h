#pragma once
// What kind of line the game printed. Its console holds the game's own prints
// (entries, duels, kills, renames, match ends, its answers to console
// variables), each line typed at the console window shown back after a "]",
// and the players' chat:
//   NAME: TEXT      (everyone)
//   (NAME): TEXT    (the team)
//   [NAME]: TEXT    (one player)
// Only the game's own prints are events. A chat line may quote any event
// phrase, and a player may take a name that is one, so a line that holds
// ": " anywhere counts as spoken, never as the game's.

#include <optional>
#include <string_view>

namespace varnok::console {

enum class LineKind {
    Typed,      // a line typed at the console, shown back
    OwnChat,    // the local player's chat
    OtherChat,  // anyone else's chat (or a server's message dressed as chat)
    GamePrint,  // the game's own print: what the event recognisers look at
};

enum class ChatTarget { Everyone, Team, OnePlayer };

// The local player's own chat line: to whom, and what was said.
struct OwnChat {
    ChatTarget target = ChatTarget::Everyone;
    std::string_view text;  // with the line's end, if it has one
};

inline bool isConsoleEcho(std::string_view line) {
    return !line.empty() && line.front() == ']';
}

inline bool isSpokenLine(std::string_view line) {
    return line.find(": ") != std::string_view::npos;
}

inline bool isGameMessage(std::string_view line) {
    return !isConsoleEcho(line) && !isSpokenLine(line);
}

// The player's own chat line and its text, the speaker matched exactly;
// nothing for any other line or while the name is unknown.
std::optional<OwnChat> ownChat(std::string_view line, std::string_view playerName);

// What someone said on a chat line however a server's mod dressed the
// speaker: the text after the first ": "; nothing for a line typed at the
// console or a line that is no chat.
std::optional<std::string_view> spokenText(std::string_view line);

LineKind kindOf(std::string_view line, std::string_view playerName);

}  // namespace varnok::console
