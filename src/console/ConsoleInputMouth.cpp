#include "console/ConsoleInputMouth.h"

#include <algorithm>

namespace varnok::console {

// A buffer seen empty after a write was read at some moment before that
// look; the client's flush follows within a frame of that read.
bool ConsoleInputMouth::clientReady() {
    if (!written_) return input_.waiting().has_value();
    const TimePoint giveUp = clock_.now() + kMostWait;
    while (!seenEmpty_) {
        const std::optional<std::size_t> waiting = input_.waiting();
        if (!waiting) return false;
        const TimePoint now = clock_.now();
        if (*waiting == 0) {
            seenEmpty_ = now;
            break;
        }
        if (now >= giveUp) return false;
        clock_.sleepMs(static_cast<std::uint32_t>(kPoll.count()));
    }
    const TimePoint flushed = *seenEmpty_ + kFrame;
    if (const TimePoint now = clock_.now(); now < flushed)
        clock_.sleepMs(static_cast<std::uint32_t>(std::chrono::ceil<Ms>(flushed - now).count()));
    written_.reset();
    seenEmpty_.reset();
    return true;
}

Delivery ConsoleInputMouth::type(const std::string& line) {
    if (!clientReady() || !input_.write(line)) return Delivery::NoAnswer;
    written_ = clock_.now();
    typed_.typed(line, *written_);
    return Delivery::Delivered;
}

bool ConsoleInputMouth::answers() {
    const std::optional<std::size_t> waiting = input_.waiting();
    if (waiting && *waiting == 0 && written_ && !seenEmpty_) seenEmpty_ = clock_.now();
    return waiting && *waiting == 0;
}

}  // namespace varnok::console
