#pragma once
// The automatic replies: the chain of game-event recognisers run on each line
// the game printed while the player's name is known and the replies are on.
// The first recogniser that holds runs its action and ends the chain, so at
// most one event is handled a line.

#include <string>

#include "console/CommandLine.h"
#include "console/ConsoleLink.h"
#include "engine/EventPhrases.h"
#include "engine/MainWindowControls.h"
#include "engine/ReplyState.h"
#include "ports/Clock.h"

namespace varnok::engine {

// What the replies ask of the loop that examines the lines.
class ReplyCallbacks {
  public:
    virtual ~ReplyCallbacks() = default;
    // Yields to the window system; false when the program ended inside it.
    virtual bool yieldToWindows() = 0;
    // The game reloaded its engine, maybe with another profile: the name is
    // asked again.
    virtual void engineReloaded() = 0;
    // The player renamed: the name the lines are matched against changes.
    virtual void renamed(const std::string& newName) = 0;
};

struct ReplyContext {
    console::ConsoleLink& console;
    Clock& clock;
    MainWindowControls& host;     // the templates and the reply messages
    const EventPhrases& phrases;  // in the game's language
    ReplyState& state;
    ReplyCallbacks& loop;
};

class EventReplies {
  public:
    explicit EventReplies(const ReplyContext& context) : ctx_(context) {}

    // Runs the chain on `newText`, the line being examined. True when the
    // line's handling ends here (the game reloaded its engine): no chat
    // command or name reading follows.
    bool run(const std::string& newText, const std::string& playerName);

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

    ReplyContext ctx_;
    // The line being examined and the name, for one run.
    const std::string* text_ = nullptr;
    const std::string* name_ = nullptr;
};

}  // namespace varnok::engine
