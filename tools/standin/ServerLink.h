#pragma once
// The game server as the player's game meets it: each command the client
// sends reaches the server half a round trip later, where a command that
// follows the client's previous one within a second is ignored (flood
// protection; every command received restarts the second, an ignored one
// too); what the server answers is printed another half round trip later.
// Times are milliseconds of one steady clock, handed in by the caller.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace standin {

inline constexpr std::uint64_t kFloodWindowMs = 1000;

struct ClientCommand {
    std::string text;   // the command as sent, for the records
    std::string reply;  // what the server sends back when it takes it (may be empty)
};

class ServerLink {
  public:
    explicit ServerLink(std::uint64_t roundTripMs) : roundTripMs_(roundTripMs) {}

    void send(std::uint64_t now, ClientCommand command);
    // A command of the player's the server took at `serverTime` (a chat typed in
    // the game itself): it restarts the flood window.
    void noteTaken(std::uint64_t serverTime);

    struct Arrivals {
        std::vector<std::string> replies;  // to print, in order
        std::vector<std::string> dropped;  // commands the server ignored, in order
    };
    // Moves the link on to `now`.
    Arrivals advance(std::uint64_t now);

    std::uint64_t roundTripMs() const { return roundTripMs_; }

  private:
    struct InFlight {
        std::uint64_t due;
        ClientCommand command;
    };
    std::uint64_t roundTripMs_;
    std::deque<InFlight> toServer_;
    std::deque<InFlight> toClient_;
    std::uint64_t nextAllowed_ = 0;
};

}  // namespace standin
