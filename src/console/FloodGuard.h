#pragma once
// Varnok's side of the game server's flood guard. The server ignores a client
// command that arrives less than a second after the previous one, without a
// word, and every command it receives starts that second again, an ignored
// one too. Chat is such a command: Varnok's "say" lines and the player's own
// chat alike. So:
// - a "say" goes out only once the gap has passed since the last client
//   command Varnok knows of: its own says from when it types them, the
//   player's own chat lines from when they show in the pane (they had reached
//   the server before that). The gap is a second and a margin: the server's
//   clock moves in whole frames and the network adds its jitter;
// - a say counts as delivered when the game prints it back as a chat line
//   (the player's, or one a server's mod dressed differently that ends in
//   its text); one not printed back in time was dropped and is typed once
//   more, never a third time; one the game answered with Unknown command
//   "say" (not connected) is not tried again;
// - the next say waits until the one before it is delivered or given up
//   on: with one say on its way at a time, a lost one is known before the
//   next goes out, and so is a longer window;
// - every say that went unconfirmed makes the gap longer, up to kMostGap, for
//   as long as this console lives: a server with a longer window loses at
//   most one line more before Varnok keeps to it.

#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "ports/Time.h"

namespace varnok::console {

class FloodGuard {
  public:
    static constexpr Ms kGap{1200};
    static constexpr Ms kGapStep{500};
    static constexpr Ms kMostGap{3000};
    // How long a say waits for its echo at least; longer once the round trips
    // seen were longer.
    static constexpr Ms kEchoWait{2000};
    // How often a say whose echo is overdue asks whether the game runs again,
    // and how soon an answer must come to show that it does: a later one came
    // from a game that had stalled.
    static constexpr Ms kAnswerPoll{50};
    static constexpr Ms kPromptAnswer{100};
    // A game that stalled after a say was typed sends it and takes its echo
    // only once it runs again: the echo is awaited this long after that.
    static constexpr Ms kAfterStall{500};

    // How much longer a say must wait at `now`: for the gap, and for the say
    // before it to be printed back or given up on (takeDropped); zero when it
    // may go. A clock set back reads as a command sent just now.
    Ms rest(TimePoint now) const;
    // A client command typed at `now`, as typed. A say is followed until it
    // is printed back; `again` marks the second try of a dropped one.
    void typed(std::string_view line, TimePoint now, bool again = false);
    // The player's name from now on: the speaker of the says typed next.
    void knowPlayer(std::string_view playerName) { speaker_ = playerName; }
    // A complete console line, without its line end, read at `now` while the
    // player's name was `playerName`.
    void notice(std::string_view line, std::string_view playerName, TimePoint now);
    // The next say the server dropped that is to be typed once more; each
    // dropped say also makes the gap longer.
    std::optional<std::string> takeDropped(TimePoint now);
    // When to look next: the oldest say's deadline for its echo; once that is
    // past and the game owes an answer, the next question to the game.
    std::optional<TimePoint> nextDeadline() const;
    // A question to the game (its pane's length) sent at `sent`, back at
    // `back`, `answered` or not. Answered within kPromptAnswer, it shows that
    // the game ran at `back`, and what it printed by then is in the pane and
    // the log.
    void asked(TimePoint sent, TimePoint back, bool answered);
    // An echo is overdue at `now`, and the game has not answered at once
    // since: no reading decides on the say before it does.
    bool owesAnswer(TimePoint now) const;
    // Another console: its game's server is another one.
    void reset();

    Ms gap() const { return gap_; }
    // How many says went out a second time so far.
    int typedAgain() const { return typedAgain_; }

  private:
    struct Awaited {
        std::string line;     // as typed
        std::string sent;     // its text as sent to the players
        std::string speaker;  // the name it comes back under, as the pane shows it
        TimePoint typedAt;
        bool again = false;
    };
    Ms echoWait() const;
    // When the oldest say still waiting for its echo is given up on.
    std::optional<TimePoint> due() const;

    std::deque<Awaited> awaited_;
    std::optional<TimePoint> lastCommand_;
    TimePoint answered_{};  // the game's latest prompt answer
    TimePoint asked_{};     // its latest question
    TimePoint resumed_{};   // the latest late answer or none: the game stalled till then
    std::string speaker_;   // the player's name with the latest line noticed
    Ms gap_ = kGap;
    Ms longestRoundTrip_{0};
    int typedAgain_ = 0;
};

}  // namespace varnok::console
