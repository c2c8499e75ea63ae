#pragma once
// How the game's command buffer reads a typed line: it splits the line at a
// line break and at ";" outside double quotes (a '"' opens or closes a quoted
// span), and "//" outside quotes starts a comment that hides the rest.

#include <string>
#include <string_view>
#include <vector>

namespace varnok::fakes {

// The commands the game runs from `line`, comments left out.
inline std::vector<std::string> gameCommands(std::string_view line) {
    std::vector<std::string> commands(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') quoted = !quoted;
        if (!quoted && c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
            // The comment runs to the line's end.
            const std::size_t end = line.find_first_of("\r\n", i);
            if (end == std::string_view::npos) break;
            i = end - 1;
            continue;
        }
        if (c == '\r' || c == '\n' || (!quoted && c == ';')) {
            if (c != ';') quoted = false;
            commands.emplace_back();
            continue;
        }
        commands.back() += c;
    }
    return commands;
}

// The line runs as exactly the one command it was typed as, all of it: no
// split, no comment, and every quoted span it opens also closed.
inline bool isOneCommand(std::string_view line) {
    std::size_t quotes = 0;
    for (const char c : line) quotes += c == '"' ? 1 : 0;
    const std::vector<std::string> commands = gameCommands(line);
    return commands.size() == 1 && commands[0] == line && quotes % 2 == 0;
}

}  // namespace varnok::fakes
