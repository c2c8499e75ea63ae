#pragma once
// The two chat commands that switch the automatic replies off and on. They are
// links of the event chain: "!replyoff" at its fixed place among the event
// recognisers, "!ReplyON" in place of the whole chain while the replies are
// off or the name is unknown.

#include "console/ConsoleLink.h"
#include "engine/EngineState.h"
#include "ports/Clock.h"

namespace varnok::engine {

// "!replyoff" while the replies are on: after 1 s says "^1Varnok terminated"
// and switches them off. True when recognised.
bool replyOffTest(EngineState& state, console::ConsoleLink& console, Clock& clock);

// "!ReplyON" while the replies are off: switches them on and after 1 s sends
// the announcement. True when recognised.
bool replyOnTest(EngineState& state, console::ConsoleLink& console, Clock& clock);

}  // namespace varnok::engine
