#include "engine/TurnPace.h"

namespace varnok::engine {

TurnPace::Ms TurnPace::waitAfterTurn(TimePoint now, bool consolePresent) const {
    if (!consolePresent) return kSearchWait;
    // A clock set back counts as busy, so that the change never slows a reply.
    const bool busy = lastBusy_ && (now < *lastBusy_ || now - *lastBusy_ < kBusySpell);
    return busy ? kBusyWait : kQuietWait;
}

}  // namespace varnok::engine
