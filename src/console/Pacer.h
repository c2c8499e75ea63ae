#pragma once
// Lets a request go out at most once an interval: one the game may answer
// late (a name query, a clear) is not repeated on every turn meanwhile.

#include <optional>

#include "ports/Time.h"

namespace varnok::console {

class Pacer {
  public:
    explicit Pacer(Ms interval) : interval_(interval) {}

    // True, and the interval starts again, the first time, once the interval
    // has passed since the last true, or when the clock was set back.
    bool allow(TimePoint now) {
        if (last_ && now >= *last_ && now - *last_ < interval_) return false;
        last_ = now;
        return true;
    }

    // The next allow() is true whatever the time.
    void restart() { last_.reset(); }
    // From when allow() is true again; nothing when it is true already.
    std::optional<TimePoint> nextAllowed() const {
        if (!last_) return std::nullopt;
        return *last_ + interval_;
    }

  private:
    Ms interval_;
    std::optional<TimePoint> last_;
};

}  // namespace varnok::console
