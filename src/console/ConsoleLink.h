#pragma once
// The chat layer: every line Varnok types into the game passes here, whatever
// way it reaches the game (the Mouth of the game found last). A line is made
// safe (CommandLine), typed up to its first line break and cut to what the way
// takes whole; a chat line keeps to the server's flood guard, is confirmed by
// its echo and typed once more when the server dropped it (FloodGuard). A
// game that refuses Varnok's messages (it runs as administrator) gets nothing
// more until a game is found anew.

#include <optional>
#include <string>
#include <string_view>

#include "console/CommandLine.h"
#include "console/FloodGuard.h"
#include "console/Mouth.h"
#include "ports/Clock.h"

namespace varnok::console {

class ConsoleLink {
  public:
    explicit ConsoleLink(engine::Clock& clock) : clock_(clock) {}

    // The way lines reach the game from now on; nullptr: there is no game to
    // type into. `newGame`: another game than before (or another start of
    // it, maybe on another server): what was known of the old one's server
    // is forgotten, and a game that refused the old one's messages is tried
    // again.
    void speakThrough(Mouth* mouth, bool newGame);
    bool hasMouth() const { return mouth_ != nullptr; }

    // Types `command` and presses Enter; drops it silently when there is no
    // game. The values from outside in it are made harmless (see
    // CommandLine), anything from its first CR or LF on is never typed, and
    // it is cut to what the way takes whole, at a character boundary. A chat
    // line waits first until the server will take it (a pause: the clock's
    // watch reads the game meanwhile).
    void SendConsoleCommand(const CommandLine& command);

    // The player's name as the game prints it; empty while unknown. Only
    // the player's own chat lines are client commands and echoes.
    void knowPlayer(const std::string& playerName);
    // A complete line the game printed, before it is examined: the player's
    // own chat and the echo of Varnok's says, for the flood guard.
    void notice(std::string_view line);
    // Types once more each say the server dropped (given up on when it was
    // not printed back in time), keeping to the flood guard.
    void resendDropped();
    // When the oldest say not yet printed back is given up on, if any; when
    // that is past and the game owes an answer, when to ask it again.
    std::optional<TimePoint> nextEchoDeadline() const { return flood_.nextDeadline(); }
    // An echo is overdue and the game has not answered at once since: the
    // game is asked whether it runs. Made before the reading that is to
    // decide on the say.
    void askIfGameRuns();
    const FloodGuard& floodGuard() const { return flood_; }

    // The game refused Varnok's messages: it runs as administrator and Varnok
    // does not.
    bool refused() const { return refused_; }
    // The game refused a question of Varnok's, not only a typed line.
    void noteRefused() { refused_ = true; }

  private:
    // Types a line into the game; `again`: a dropped say's second try.
    void type(const std::string& line, bool again);
    // Until the server will take a chat line, or for kMostSpacingWait at most
    // (the player's own chat, a line a second, could hold it back forever).
    // `again`: for the second try of a dropped say, which nothing overtakes.
    void waitForServer(bool again);

    // The longest a chat line waits for the flood guard.
    static constexpr Ms kMostSpacingWait{8000};

    engine::Clock& clock_;
    Mouth* mouth_ = nullptr;
    FloodGuard flood_;
    std::string playerName_;
    bool refused_ = false;
};

}  // namespace varnok::console
