#pragma once
// The time between turns: short while the console is busy, longer once it has
// been quiet for a while, and longest while there is no console, when the only
// work is looking for one. The pauses of the replies are not part of it.

#include <chrono>
#include <optional>

#include "engine/Pacer.h"

namespace varnok::engine {

class TurnPace {
  public:
    using TimePoint = std::chrono::system_clock::time_point;
    using Ms = std::chrono::milliseconds;

    // Every new complete line is handed on however many arrive in one turn,
    // so a quiet console can be looked at seldom: the longer wait only delays
    // the first line after quiet, which then brings the short one at once.
    static constexpr Ms kBusyWait{10};
    static constexpr Ms kQuietWait{50};
    // How long after the last new text the console still counts as busy: the
    // lines of a burst that follow the first are taken one by one.
    static constexpr Ms kBusySpell{300};
    // Between two searches for a console that is not there: a game that
    // starts is found, and asked for the name, well within half a second.
    static constexpr Ms kSearchWait{300};

    // A turn found new text (or typed something): busy from `now` on.
    void noteBusy(TimePoint now) { lastBusy_ = now; }
    // The wait after a turn that ended at `now`.
    Ms waitAfterTurn(TimePoint now, bool consolePresent) const;
    // While there is no console: whether this turn searches for one. The first
    // call is always true; so is any call after the clock was set back.
    bool searchDue(TimePoint now) { return searches_.allow(now); }

  private:
    std::optional<TimePoint> lastBusy_;
    Pacer searches_{kSearchWait};
};

}  // namespace varnok::engine
