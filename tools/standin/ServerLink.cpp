#include "ServerLink.h"

#include <algorithm>
#include <utility>

namespace standin {

ServerLink::ServerLink(const NetworkSettings& settings, std::uint64_t start)
    : settings_(settings),
      start_(start),
      frameMs_(std::max<std::uint64_t>(1, 1000 / std::max<std::uint64_t>(1, settings.serverFps))),
      upDraws_(settings.seed),
      downDraws_(settings.seed + 1),
      lastPacket_(start) {}

void ServerLink::queue(ClientCommand command) {
    queued_.push_back(std::move(command));
}

std::uint64_t ServerLink::delay(std::minstd_rand& draws, std::uint64_t base) {
    return base + draws() % (settings_.jitterMs + 1);
}

std::uint64_t ServerLink::frameAtOrAfter(std::uint64_t time) const {
    if (time <= start_) return start_;
    return start_ + (time - start_ + frameMs_ - 1) / frameMs_ * frameMs_;
}

ServerLink::Arrivals ServerLink::advance(std::uint64_t now) {
    Arrivals arrivals;
    if (now - lastPacket_ >= kPacketMs) {
        lastPacket_ = now;
        if (!queued_.empty()) {
            std::uint64_t oneWay = delay(upDraws_, settings_.roundTripMs / 2);
            lastUpArrival_ = std::max(now + oneWay, lastUpArrival_);
            arrivals.notes.push_back("packet up " + std::to_string(oneWay) + " " +
                                     std::to_string(queued_.size()));
            toServer_.push_back({lastUpArrival_, std::move(queued_)});
            queued_.clear();
        }
    }
    while (!toServer_.empty() && frameAtOrAfter(toServer_.front().arrival) <= now) {
        process(toServer_.front(), arrivals);
        toServer_.pop_front();
    }
    while (!toClient_.empty() && toClient_.front().arrival <= now) {
        arrivals.replies.push_back(std::move(toClient_.front().text));
        toClient_.pop_front();
    }
    return arrivals;
}

void ServerLink::process(const Packet& packet, Arrivals& arrivals) {
    std::uint64_t frame = frameAtOrAfter(packet.arrival);
    std::string serverTime = std::to_string(frame - start_);
    for (const ClientCommand& command : packet.commands) {
        bool flooding = settings_.floodMs > 0 && frame < nextReliable_;
        nextReliable_ = frame + settings_.floodMs;
        arrivals.notes.push_back("server " + serverTime + (flooding ? " dropped " : " took ") +
                                 command.text);
        if (flooding) {
            arrivals.dropped.push_back(command.text);
        } else if (!command.reply.empty()) {
            // The answers of one server frame go back in one packet.
            if (!answeredInFrame_ || frame != lastAnswerFrame_) {
                std::uint64_t oneWay =
                    delay(downDraws_, settings_.roundTripMs - settings_.roundTripMs / 2);
                lastDownArrival_ = std::max(frame + oneWay, lastDownArrival_);
                lastAnswerFrame_ = frame;
                answeredInFrame_ = true;
                arrivals.notes.push_back("packet down " + std::to_string(oneWay));
            }
            toClient_.push_back({lastDownArrival_, command.reply});
        }
    }
}

}  // namespace standin
