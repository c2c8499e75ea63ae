#pragma once
// The game's command buffer: text queued from the console and run a command at
// a time at the end of a frame, and the way one command line splits into words.

#include <cstddef>
#include <string>
#include <vector>

namespace standin {

// The longest command line; the rest of a longer one runs as a command of its own.
inline constexpr std::size_t kLongestCommand = 1023;

class CommandBuffer {
  public:
    void add(const std::string& text) { text_ += text; }
    // Takes every command queued so far, in order: the text splits at "\n",
    // "\r" and at ";" outside double quotes. Empty commands are skipped.
    std::vector<std::string> takeCommands();

  private:
    std::string text_;
};

// The words of one command: blanks (and control characters) separate them, a
// double-quoted stretch is one word without its quotes, "//" outside quotes
// ends the line.
std::vector<std::string> tokenize(const std::string& command);

// The words from `first` on, joined by single blanks.
std::string joinWords(const std::vector<std::string>& words, std::size_t first);

}  // namespace standin
