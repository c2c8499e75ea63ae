#pragma once
// What kind of console line a line is. The pane holds the game's own messages
// (entries, duels, kills, renames, match ends, the answer to "name"), every
// line typed into the console echoed after a "]", and the players' chat:
//   NAME: TEXT      (everyone)
//   (NAME): TEXT    (team)
//   [NAME]: TEXT    (private)
// Only the game's own messages are events. A chat line may quote any event
// phrase, and a player may take a name that is one, so a line that holds ": "
// anywhere counts as spoken, never as the game's.

#include <optional>
#include <string>
#include <string_view>

namespace varnok::engine {

// A line typed into the console, as the console shows it back.
inline bool isConsoleEcho(std::string_view line) {
    return !line.empty() && line.front() == ']';
}

// A line some player said.
inline bool isSpokenLine(std::string_view line) {
    return line.find(": ") != std::string_view::npos;
}

// A line the game itself printed: what the event recognisers look at.
inline bool isGameMessage(std::string_view line) {
    return !isConsoleEcho(line) && !isSpokenLine(line);
}

// The value that the game's answer to a console variable typed alone gives:
// `"<name>" is:"<value>" default:"<default>"` (the pane shows it without
// colour codes), the text between the quotes after "is:". Nothing for a line
// that does not begin with that answer (a chat line quoting one begins with
// its speaker) or whose value's quote never closes.
std::optional<std::string> cvarValue(std::string_view line, std::string_view name);

}  // namespace varnok::engine
