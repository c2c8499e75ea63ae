#pragma once
// The automatic replies: the chain of game-event recognisers run on each new
// console text while the player's name is known and the replies are on. The
// first recogniser that holds runs its action and ends the chain, so at most
// one event is handled per turn.

#include <string>

#include "console/CommandLine.h"
#include "engine/EventPhrases.h"

namespace varnok::engine {

class Engine;
struct EngineContext;
struct EngineState;

// Sent after the player's own entry and when the replies are switched back on.
inline constexpr const char* kAnnouncement =
    "say ^7-{^0ZUL^7}-^4$^0pellow^4$ ^1Varnok V1.2B initilized";

class EventReplies {
  public:
    explicit EventReplies(Engine& engine);

    // Runs the chain on the engine's new text. True when the turn ends here
    // (the game reloaded its engine): no chat command or name reading follows.
    bool run();

  private:
    bool engineReload();
    bool ownEntry();
    bool greeting();
    bool duelNamedFirst();
    bool selfKill();
    bool duelNamedSecond();
    bool rename();
    bool duelResult();
    bool matchEnd();

    // Sends a duel template with both names filled in.
    void sayDuelTemplate(const std::string& message);
    // The player's own reply text as written.
    void say(const std::string& message);
    // A reply with names filled in, typed as a value each.
    void say(const console::CommandLine& message);
    void pause(float seconds);

    Engine& engine_;
    const EngineContext& ctx_;
    EngineState& state_;
    const EventPhrases& phrases_;  // in the game's language
};

}  // namespace varnok::engine
