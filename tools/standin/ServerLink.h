#pragma once
// The game server as the player's game meets it over the network.
//
// The client queues its reliable commands (chat, team, votes, userinfo ...)
// and sends them in its next packet: a packet leaves at the first client frame
// at least kPacketMs after the previous one (cl_maxpackets 30), carrying every
// command queued since. Each packet's one-way delay is half the round trip
// plus 0 to `jitterMs`, drawn from a fixed seed so that a run repeats; packets
// stay in order. The server's clock moves in whole frames (1000 / sv_fps ms):
// a packet is processed at the first server frame at or after its arrival,
// and that frame's time is what the flood guard compares. A command that
// arrives less than `floodMs` after the client's previous one is ignored and
// nothing is sent back; every command received restarts the window, ignored
// ones too, so of several commands in one packet only the first runs. A
// `floodMs` of 0 turns the guard off (a server the player hosts himself).
// What the server answers leaves at the frame that took the command and comes
// back with a delay of its own.
// Times are milliseconds of one steady clock, handed in by the caller.

#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <vector>

namespace standin {

// The client sends at most one packet in this many milliseconds.
inline constexpr std::uint64_t kPacketMs = 1000 / 30;

struct NetworkSettings {
    std::uint64_t roundTripMs = 40;
    std::uint64_t jitterMs = 30;
    std::uint64_t serverFps = 20;
    std::uint64_t floodMs = 1000;
    std::uint32_t seed = 1;
};

struct ClientCommand {
    std::string text;   // the command as sent, for the records
    std::string reply;  // what the server sends back when it takes it (may be empty)
};

class ServerLink {
  public:
    // The server starts its frames at `start`.
    ServerLink(const NetworkSettings& settings, std::uint64_t start);

    // A reliable command, to leave with the client's next packet.
    void queue(ClientCommand command);

    struct Arrivals {
        std::vector<std::string> replies;  // to print, in order
        std::vector<std::string> dropped;  // commands the server ignored, in order
        std::vector<std::string> notes;    // what happened, for the timing file
    };
    // The client's frame end at `now`: sends a packet when one is due, lets the
    // server process what reached it by its frames up to `now`, and hands over
    // the answers that have come back.
    Arrivals advance(std::uint64_t now);

  private:
    struct Packet {
        std::uint64_t arrival;
        std::vector<ClientCommand> commands;
    };
    struct Answer {
        std::uint64_t arrival;
        std::string text;
    };
    std::uint64_t delay(std::minstd_rand& draws, std::uint64_t base);
    // The first server frame at or after `time`.
    std::uint64_t frameAtOrAfter(std::uint64_t time) const;
    void process(const Packet& packet, Arrivals& arrivals);

    NetworkSettings settings_;
    std::uint64_t start_;
    std::uint64_t frameMs_;
    std::minstd_rand upDraws_;
    std::minstd_rand downDraws_;
    std::vector<ClientCommand> queued_;
    std::uint64_t lastPacket_;
    std::uint64_t lastUpArrival_ = 0;
    std::uint64_t lastDownArrival_ = 0;
    std::uint64_t lastAnswerFrame_ = 0;
    bool answeredInFrame_ = false;
    std::deque<Packet> toServer_;
    std::deque<Answer> toClient_;
    std::uint64_t nextReliable_ = 0;  // the server time before which a command floods
};

}  // namespace standin
