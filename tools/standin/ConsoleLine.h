#pragma once
// The line being typed at EternalJK's Windows console, built from the key-down
// records it reads: the character of each (AsciiChar) goes in at the cursor,
// at most kLongestConsoleLine of them (the game's 256-byte line buffer), and
// the keys below are told by their virtual-key code alone, whatever character
// the record carries. So a record that brings '#', '$', '%', '&', '\'' or '('
// with the code of its keyboard key (END, HOME, LEFT, UP, RIGHT, DOWN) moves
// the cursor or recalls history instead of typing the character; a writer
// must give text the virtual-key code 0.

#include <windows.h>

#include <cstddef>
#include <string>

#include "InputHistory.h"

namespace standin {

inline constexpr std::size_t kLongestConsoleLine = 255;

class ConsoleLine {
  public:
    enum class Outcome {
        typed,    // a character went into the line
        enter,    // VK_RETURN: the line is complete (take() it)
        editing,  // an editing key acted on the line
        dropped,  // a character that did not fit
        ignored,  // no character and no key of the console's
    };

    Outcome press(WORD virtualKey, char character);
    // The completed line, which goes into the history; the line starts anew.
    std::string take();

  private:
    std::string line_;
    std::size_t cursor_ = 0;
    InputHistory history_;
};

// "END", "HOME", ... for an editing key's code; empty for any other.
const char* editingKeyName(WORD virtualKey);

}  // namespace standin
