#include "ports/Clock.h"

#include <cmath>

namespace varnok::engine {

std::uint32_t pauseMilliseconds(float seconds) {
    if (!(seconds > 0.0f)) return 0;
    // Widen before multiplying: a float product would round 0.7f * 1000 up to 700.
    return static_cast<std::uint32_t>(std::floor(static_cast<double>(seconds) * 1000.0));
}

void Clock::watchNow() {
    if (!watch_ || watching_) return;
    watching_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{watching_};
    watch_();
}

void waitSeconds(Clock& clock, float seconds) {
    clock.sleepMs(pauseMilliseconds(seconds));
}

}  // namespace varnok::engine
