#include "engine/TurnPace.h"

#include <algorithm>

namespace varnok::engine {

bool TurnPace::busy(TimePoint now) const {
    return lastText_ && (now < *lastText_ || now - *lastText_ < kBusySpell);
}

std::optional<TurnPace::Wait> TurnPace::after(TimePoint now, bool tookText,
                                              const console::Wakes* wakes,
                                              std::optional<TimePoint> due) {
    const bool textAfterText = tookText && busy(now);
    if (tookText) lastText_ = now;
    if (wakes == nullptr) return Wait{kSearchWait};
    if (wakes->polled) {
        if (tookText) return std::nullopt;
        return Wait{busy(now) ? kBusyWait : kQuietWait};
    }
    TimePoint next = now + kLongestWait;
    for (const std::optional<TimePoint>& at : {wakes->due, due})
        if (at && *at < next) next = *at;
    Ms most = next <= now ? Ms(0) : std::chrono::ceil<Ms>(next - now);
    if (!textAfterText) return Wait{most};
    return Wait{std::min(most, kGather), false};
}

}  // namespace varnok::engine
