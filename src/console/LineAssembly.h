#pragma once
// Cuts text that arrives piece by piece into complete lines, each handed on
// with CR LF, the line end the console's pane gives every line. A line ends at
// CR LF, at an LF alone or at a CR followed by anything but LF; a CR that ends
// the text may be the first half of CR LF, so it waits. A line still being
// printed (the game prints a kill message in two or three pieces) waits for its
// end, for a short while only.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Time.h"

namespace varnok::console {

class LineAssembly {
  public:
    // How long the start of a line waits for its end before it is taken as a
    // line of its own: the game prints a line in a few pieces within one frame.
    static constexpr Ms kLineWait{300};

    // The complete lines that `text`, printed after what came before, ends.
    std::vector<std::string> add(std::string_view text, TimePoint now);
    // The start of a line that has waited long enough for its end, as a line.
    std::optional<std::string> overdue(TimePoint now);
    // When the start of a line waiting now is taken as a line; nothing when none waits.
    std::optional<TimePoint> due() const;
    void clear() { partial_.clear(); }

    bool waiting() const { return !partial_.empty(); }

  private:
    std::string partial_;  // the line being printed, without its end
    TimePoint partialSince_{};
};

}  // namespace varnok::console
