#pragma once
// A line Varnok types into the game's console, kept as the pieces it was made
// of: Varnok's own text (and the player's own reply texts) as written, and
// values that came from outside (a song's shown name, a playlist entry, a
// word from the chat, a player's name). The game splits a typed line at ";"
// outside double quotes, a '"' opens or closes a quoted span and "//" starts a
// comment, so a value holding them could end the command and run one of its
// own. When the line is typed, each value's ";" becomes ",", its '"' becomes
// "'" and a "//" it makes is broken up by a blank; names that hold none of
// them are typed exactly as they are. The player's own texts may chain on
// purpose and stay as written.

#include <string>
#include <string_view>
#include <vector>

namespace varnok::console {

// A value from outside Varnok, to be placed in a typed line.
struct Outside {
    std::string value;
};
inline Outside outside(std::string_view value) {
    return Outside{std::string(value)};
}

class CommandLine {
  public:
    CommandLine() = default;
    // Varnok's own text. Only a literal converts by itself; other own text
    // (the player's reply texts, the help lines) is named explicitly, so that
    // a value from outside cannot slip in as own text.
    CommandLine(const char* own) : CommandLine(std::string_view(own)) {}
    explicit CommandLine(std::string_view own);
    CommandLine(Outside value);

    CommandLine& operator+=(const CommandLine& more);

    // Every `placeholder` (letter case ignored) in the pieces, own text and
    // values alike, replaced by `value` as a value from outside.
    CommandLine filled(std::string_view placeholder, std::string_view value) const;

    // The line as it is typed: own text as written, values made harmless.
    std::string text() const;
    bool beginsWith(std::string_view own) const;

  private:
    struct Piece {
        std::string text;
        bool outside = false;
    };
    void append(Piece piece);
    std::vector<Piece> pieces_;
};

CommandLine operator+(CommandLine line, const CommandLine& more);
CommandLine operator+(CommandLine line, const char* own);
CommandLine operator+(CommandLine line, const Outside& value);

}  // namespace varnok::console
