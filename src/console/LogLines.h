#pragma once
// The game's log file turned into the lines its console's pane shows. The log
// gets every print as the game made it: colour codes kept, "\n" line ends. The
// pane's print rule is applied first, so the lines are the pane's: colour codes
// ^0 to ^7 gone, and each "\n", "\r" and "\n\r" one line end. Then the text is
// cut into complete lines as the pane's is (LineAssembly), a line still being
// written waiting for its end.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/LineAssembly.h"

namespace varnok::console {

class LogLines {
  public:
    // The complete lines that the bytes `logged`, written after those before,
    // end; each with CR LF.
    std::vector<std::string> add(std::string_view logged, TimePoint now);
    std::optional<std::string> overdue(TimePoint now) { return lines_.overdue(now); }
    std::optional<TimePoint> due() const { return lines_.due(); }
    // The file was emptied or another is read: nothing written before counts.
    void clear();

  private:
    LineAssembly lines_;
    bool caret_ = false;    // the last byte was a "^" whose digit may follow
    bool afterLf_ = false;  // the last byte was an LF, whose "\r" goes with it
};

}  // namespace varnok::console
