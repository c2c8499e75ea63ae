#pragma once
// What the automatic replies know between lines: whether they are on, whether
// a greeting may go out, and the duel in progress.

#include <string>

namespace varnok::engine {

struct ReplyState {
    bool replyOn = false;     // automatic replies on; set true at start-up
    bool greetReady = false;  // a greeting may go out (set by the 15 s timer)
    bool duelEngaged = false;
    std::string duelOpponent;
};

}  // namespace varnok::engine
