#pragma once
// One way of typing a line into the game, as a player at its console would:
// the console window's input line, or the input buffer of a console the game
// shares with Varnok. The chat layer above it (ConsoleLink) makes every line
// safe and paced; a mouth only delivers it.

#include <cstddef>
#include <string>

#include "ports/WindowManager.h"

namespace varnok::console {

class Mouth {
  public:
    virtual ~Mouth() = default;

    // The most characters of one line this way takes whole.
    virtual std::size_t mostCharacters() const = 0;
    // Types `line` (no line break, at most mostCharacters()) and presses Enter.
    virtual Delivery type(const std::string& line) = 0;
    // Asks the game something it answers between two of its frames: false
    // when no answer came in time (the game stalls, say on a map load).
    virtual bool answers() = 0;
};

}  // namespace varnok::console
