#include "ServerLink.h"

#include <utility>

namespace standin {

void ServerLink::send(std::uint64_t now, ClientCommand command) {
    toServer_.push_back({now + roundTripMs_ / 2, std::move(command)});
}

void ServerLink::noteTaken(std::uint64_t serverTime) {
    if (serverTime + kFloodWindowMs > nextAllowed_) nextAllowed_ = serverTime + kFloodWindowMs;
}

ServerLink::Arrivals ServerLink::advance(std::uint64_t now) {
    Arrivals arrivals;
    while (!toServer_.empty() && toServer_.front().due <= now) {
        InFlight command = std::move(toServer_.front());
        toServer_.pop_front();
        bool flooding = command.due < nextAllowed_;
        nextAllowed_ = command.due + kFloodWindowMs;
        if (flooding) {
            arrivals.dropped.push_back(command.command.text);
        } else if (!command.command.reply.empty()) {
            std::uint64_t back = command.due + (roundTripMs_ - roundTripMs_ / 2);
            toClient_.push_back({back, std::move(command.command)});
        }
    }
    while (!toClient_.empty() && toClient_.front().due <= now) {
        arrivals.replies.push_back(std::move(toClient_.front().command.reply));
        toClient_.pop_front();
    }
    return arrivals;
}

}  // namespace standin
