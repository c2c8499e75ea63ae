#pragma once
// The two chat commands that switch the automatic replies off and on. They are
// links of the event chain: "!replyoff" at its fixed place among the event
// recognisers, "!ReplyON" in place of the whole chain while the replies are
// off or the name is unknown.

#include <string>

#include "console/ConsoleLink.h"
#include "engine/ReplyState.h"
#include "ports/Clock.h"

namespace varnok::engine {

// Sent after the player's own entry and when the replies are switched back on.
inline constexpr const char* kAnnouncement =
    "say ^7-{^0ZUL^7}-^4$^0pellow^4$ ^1Varnok V1.2B initilized";

// The line being examined and the player's name, for the two tests.
struct SwitchTurn {
    const std::string& newText;
    const std::string& playerName;
    ReplyState& state;
    console::ConsoleLink& console;
    Clock& clock;
};

// "!replyoff" while the replies are on: after 1 s says "^1Varnok terminated"
// and switches them off. True when recognised.
bool replyOffTest(const SwitchTurn& turn);

// "!ReplyON" while the replies are off: switches them on and after 1 s sends
// the announcement. True when recognised.
bool replyOnTest(const SwitchTurn& turn);

}  // namespace varnok::engine
