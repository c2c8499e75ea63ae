#pragma once
// The time between turns, for every ear. An ear that is polled (the pane) is
// looked at again at once after a turn that took text, every kBusyWait while
// the game is busy, every kQuietWait once it has been quiet for a while. An
// ear that is told (the log) wakes the wait itself when the game prints, so
// the wait lasts until the next thing due; while the game is busy it is not
// told at all but looked at every kGather, a few lines at a time: being told
// of every print of a busy game costs more than looking. With no game at all the
// only work is looking for one, every kSearchWait. The pauses of the replies
// are not part of it.

#include <optional>

#include "console/Ear.h"
#include "console/Pacer.h"
#include "ports/Time.h"

namespace varnok::engine {

class TurnPace {
  public:
    // Every new complete line is handed on however many arrive in one turn,
    // so a quiet pane can be looked at seldom: the longer wait only delays
    // the first line after quiet, which then brings the short one at once.
    static constexpr Ms kBusyWait{10};
    static constexpr Ms kQuietWait{50};
    // How long after the last new text the game still counts as busy: the
    // lines of a burst that follow the first are taken one by one.
    static constexpr Ms kBusySpell{300};
    // A told ear of a busy game is read a few lines at a time: after text
    // that came soon after the text before, it is looked at after this.
    static constexpr Ms kGather{250};
    // The longest wait of a told ear with nothing due: its folders, the
    // game's process, the windows and their timers end the wait.
    static constexpr Ms kLongestWait{60000};
    // Between two searches for a game that is not there: a game that starts
    // is found, and asked for the name, well within half a second.
    static constexpr Ms kSearchWait{300};

    struct Wait {
        Ms most{0};
        // The ear's folders end the wait; a busy game's are not watched.
        bool watchFolders = true;
    };
    // The wait after a turn that ended at `now`, having taken text or not,
    // with the game's ear waking as `wakes` (nothing: no game) and the next
    // thing the loop itself has due; nothing: the next turn follows at once.
    std::optional<Wait> after(TimePoint now, bool tookText, const console::Wakes* wakes,
                              std::optional<TimePoint> due);
    // While there is no game: whether this turn searches for one. The first
    // call is always true; so is any call after the clock was set back.
    bool searchDue(TimePoint now) { return searches_.allow(now); }

  private:
    // Text came within the busy spell before `now`; a clock set back counts
    // as busy, so that the change never slows a reply.
    bool busy(TimePoint now) const;

    std::optional<TimePoint> lastText_;
    console::Pacer searches_{kSearchWait};
};

}  // namespace varnok::engine
