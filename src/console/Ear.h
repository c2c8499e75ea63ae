#pragma once
// One way of hearing what the game prints: the console window's output pane,
// or the game's log file. Every ear gives the complete lines printed since it
// was last listened to, in order, as the pane shows them (colour codes gone,
// each line ending in CR LF), says what wakes it, and answers the upkeep the
// loop needs: whether the game is still there, whether the moment for a due
// "/clear" came, and what the main window shows of the latest text.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ports/Time.h"

namespace varnok::console {

// What listening found out about the game being there.
enum class Presence {
    Unasked,   // nothing was asked of the game
    Answered,  // the game answered: it is there
    Silent,    // the game did not answer in time (it stalls)
    Gone,      // the console is gone
    Refused,   // the game refuses Varnok's messages (it runs as administrator)
};

// The most of the latest text the main window shows (its end).
inline constexpr std::size_t kShownText = 200;

struct Heard {
    std::vector<std::string> lines;  // complete lines, each ending in CR LF
    std::string shown;               // the latest text, for the main window; empty: nothing new
    bool tookText = false;           // the game printed since the last listen
    bool clearMoment = false;        // the pane was emptied or replaced, or is about to be
    bool startedAnew = false;        // the game started again: its log begins anew
    Presence presence = Presence::Unasked;
};

// What wakes an ear besides window input.
struct Wakes {
    // Looked at on every turn, at the pace's interval; otherwise only when one
    // of `folders` changes or at `due`.
    bool polled = true;
    std::vector<std::filesystem::path> folders;
    std::optional<TimePoint> due;  // when it must be looked at though nothing changed
};

class Ear {
  public:
    virtual ~Ear() = default;

    // What the game printed since the last call, read at `now`. `inPause`:
    // from a reply's pause, which yields to no window and types nothing.
    virtual Heard listen(TimePoint now, bool inPause) = 0;
    virtual Wakes wakes() const = 0;
};

}  // namespace varnok::console
