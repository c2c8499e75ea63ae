#pragma once
// What one print of the game turns into in the console's output pane, free of
// any window.

#include <cstddef>
#include <string>

namespace standin {

// Of a longer print only the last this many characters reach the pane.
inline constexpr std::size_t kLongestPrint = 16383;
// When the characters printed since the last reset pass this count, the next
// print replaces the whole pane. Also the pane's text limit.
inline constexpr unsigned long kResetCount = 0x7fff;

// A print as the pane receives it: only its last kLongestPrint characters;
// "\n", "\r" and "\n\r" each become "\r\n" (so "\r\n" becomes two line ends);
// colour codes "^0" to "^7" dropped ("^8", "^a" and a lone "^" stay).
std::string toPaneText(const std::string& printed);

// The characters printed since the last reset, and whether a print replaces
// the whole pane instead of being inserted at the selection.
class PrintCount {
  public:
    // Counts a print of `length` pane characters; true when it must replace the pane.
    bool add(unsigned long length);
    void restart(unsigned long length = 0) { total_ = length; }
    unsigned long total() const { return total_; }

  private:
    unsigned long total_ = 0;
};

}  // namespace standin
