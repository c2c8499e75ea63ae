#pragma once
// Turns successive readings of the console's output pane into the complete
// lines printed since the last reading, each once and in order.
//
// The game's pane does not only grow: it empties itself (Clear), and when it
// has printed about 32 000 characters since its last reset the next print
// replaces the whole pane. So what is new is decided by the text itself, not
// by lengths: the last characters taken are remembered, and a reading that no
// longer holds them where they were is a pane that was replaced, all of whose
// text is new; that text is cut into lines by LineAssembly. Of a console's
// first reading, which holds what was printed before Varnok looked, only the
// lines within its last 200 characters count as new.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/LineAssembly.h"

namespace varnok::console {

// The complete lines that lie within the last `size` characters of `pane`,
// and what follows them: the line cut by that bound is left out.
std::string_view lastCompleteLines(std::string_view pane, std::size_t size);

class ConsoleLines {
  public:
    // How much of a console's first reading is taken as new.
    static constexpr std::size_t kFirstReading = 200;

    struct Taken {
        std::string added;               // the text new in this reading
        std::vector<std::string> lines;  // complete lines, each ending in CR LF
    };

    // The pane's whole text as read now.
    Taken take(std::string_view pane, TimePoint now);
    // The start of a line that has waited long enough for its end, as a line.
    std::optional<std::string> overdue(TimePoint now) { return lines_.overdue(now); }
    std::optional<TimePoint> due() const { return lines_.due(); }
    // A console that is gone takes its text with it, the line it was printing too.
    void forget();
    // Everything `pane` holds counts as taken: reading goes on after it.
    void skipTo(std::string_view pane);

    // Nothing of this console read yet, not even that its pane is empty.
    bool fresh() const { return fresh_; }
    // Whether the start of a line is waiting for its end.
    bool waiting() const { return lines_.waiting(); }

  private:
    // What of `pane` is new: all of it when the text last taken is not where it was.
    std::string_view newPart(std::string_view pane) const;
    void remember(std::string_view pane);

    std::size_t taken_ = 0;  // bytes of the pane taken so far
    std::string anchor_;     // the pane's last bytes before taken_
    bool fresh_ = true;      // nothing of this console read yet
    LineAssembly lines_;
};

}  // namespace varnok::console
