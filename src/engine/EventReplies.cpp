#include "engine/EventReplies.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "engine/Engine.h"
#include "engine/GameLines.h"
#include "engine/Placeholders.h"
#include "engine/ReplySwitch.h"
#include "text/Text.h"

namespace varnok::engine {

namespace {
constexpr const char* kEngineReload = "finished R_Init";
constexpr std::size_t kLineEnd = 2;      // CR LF at the end of a console line
constexpr std::size_t kDuelLineEnd = 3;  // the duel line's end holds one more character

// A line that ends with `phrase` right after a name (or at its start),
// letter case ignored.
bool endsWithAfterName(std::string_view line, std::string_view phrase) {
    const std::string_view shown = line.substr(0, line.size() - std::min(line.size(), kLineEnd));
    // The phrase's leading blank follows the name; a line of the phrase
    // alone has none.
    if (!phrase.empty() && phrase.front() == ' ' && text::equalsNoCase(shown, phrase.substr(1)))
        return true;
    return shown.size() >= phrase.size() &&
           text::equalsNoCase(shown.substr(shown.size() - phrase.size()), phrase);
}

using replies::isEnabled;
}  // namespace

EventReplies::EventReplies(Engine& engine)
    : engine_(engine),
      ctx_(engine.context()),
      state_(engine.state),
      phrases_(engine.language.phrases()) {}

// A line someone said, or one typed at the console, is no event whatever
// phrase it holds; of the chain only the reply-off command can hold there.
bool EventReplies::run() {
    if (!isGameMessage(state_.newText)) {
        replyOffTest(state_, ctx_.console, ctx_.clock);
        return false;
    }
    if (engineReload()) return true;
    ownEntry() || greeting() || duelNamedFirst() || selfKill() || duelNamedSecond() || rename() ||
        replyOffTest(state_, ctx_.console, ctx_.clock) || duelResult() || matchEnd();
    return false;
}

// The game restarted its renderer, maybe with another profile: ask the name again.
bool EventReplies::engineReload() {
    if (!text::containsNoCase(state_.newText, kEngineReload)) return false;
    if (engine_.yieldToWindows()) engine_.askName("name", true);
    return true;
}

bool EventReplies::ownEntry() {
    if (!text::beginsWithNoCase(state_.newText, state_.playerName + phrases_.entered)) return false;
    pause(1.0f);
    ctx_.console.SendConsoleCommand(kAnnouncement);
    const replies::ReplyMessages& messages = ctx_.host.replyMessages();
    if (isEnabled(messages.EnterEn)) {
        pause(1.0f);
        say(messages.Enter);
    }
    return true;
}

// One greeting per tick of the greeting timer; a disabled greeting keeps the
// tick for a later entry.
bool EventReplies::greeting() {
    if (!text::containsNoCase(state_.newText, phrases_.entered) || !state_.greetReady) return false;
    const replies::ReplyMessages& messages = ctx_.host.replyMessages();
    if (!isEnabled(messages.GreetEn)) return true;
    state_.greetReady = false;
    const std::string entering = text::before(state_.newText, phrases_.entered).value_or("");
    say(fillOtherName(messages.Greet, entering));
    return true;
}

// The opponent is what follows the whole duel phrase.
bool EventReplies::duelNamedFirst() {
    const std::string& engaged = phrases_.engagedWith;
    if (!text::containsNoCase(state_.newText, state_.playerName + engaged)) return false;
    state_.duelEngaged = true;
    if (auto opponent =
            text::afterMarkerLess(state_.newText, engaged, engaged.size(), kDuelLineEnd))
        state_.duelOpponent = *opponent;
    sayDuelTemplate(ctx_.host.duelEngage());
    return true;
}

bool EventReplies::selfKill() {
    const std::string& t = state_.newText;
    std::optional<std::string> victim = text::before(t, phrases_.killedHimself);
    if (!victim) victim = text::before(t, phrases_.killedHerself);
    if (!victim) return false;
    // An empty victim text begins every name, so it counts as the player.
    if (text::beginsWithNoCase(state_.playerName, *victim) &&
        isEnabled(ctx_.host.replyMessages().DeathEn)) {
        pause(1.0f);
        say(ctx_.host.replyMessages().Death);
    }
    return true;
}

bool EventReplies::duelNamedSecond() {
    const std::string phrase = phrases_.engagedWith + state_.playerName;
    std::optional<std::string> opponent = text::before(state_.newText, phrase);
    if (!opponent) return false;
    state_.duelEngaged = true;
    state_.duelOpponent = *opponent;
    sayDuelTemplate(ctx_.host.duelEngage());
    return true;
}

bool EventReplies::rename() {
    const std::string& renamedTo = phrases_.renamedTo;
    if (!text::beginsWithNoCase(state_.newText, state_.playerName + renamedTo)) return false;
    if (auto renamed = text::afterMarkerLess(state_.newText, renamedTo, renamedTo.size(), kLineEnd))
        state_.playerName = *renamed;
    engine_.showPlayerStatus();
    return true;
}

// The opponent and the names in the template are those of the duel's start,
// whatever names the kill line shows. A line of neither duellist leaves the
// duel open; a killer text that cannot be cut counts as no win.
bool EventReplies::duelResult() {
    if (!state_.duelEngaged) return false;
    const std::string& saberedBy = phrases_.saberedBy;
    std::optional<std::string> victim = text::before(state_.newText, saberedBy);
    if (!victim) return false;
    std::optional<std::string> killer =
        text::afterMarkerLess(state_.newText, saberedBy, saberedBy.size(), kLineEnd);
    if (killer && text::containsNoCase(state_.playerName, *killer)) {
        pause(0.7f);
        sayDuelTemplate(ctx_.host.duelWon());
        state_.duelEngaged = false;
    } else if (text::containsNoCase(state_.playerName, *victim)) {
        pause(0.7f);
        sayDuelTemplate(ctx_.host.duelLost());
        state_.duelEngaged = false;
    }
    return true;
}

// The time limit's line is the phrase itself; the kill limit's and the duel
// game type's win limit's name the player (or the team) first.
bool EventReplies::matchEnd() {
    const std::string& t = state_.newText;
    if (!text::beginsWithNoCase(t, phrases_.timeLimitHit) &&
        !endsWithAfterName(t, phrases_.killLimit) && !endsWithAfterName(t, kWinLimit))
        return false;
    const replies::ReplyMessages& messages = ctx_.host.replyMessages();
    if (isEnabled(messages.Limiten)) {
        Clock& clock = ctx_.clock;
        clock.seedFromClock();
        const double r = std::clamp(clock.random(), 0.0, 1.0);
        pause(1.0f + 2.5f * static_cast<float>(r));
        say(messages.limit);
    }
    return true;
}

void EventReplies::sayDuelTemplate(const std::string& message) {
    say(fillPlaceholders(message, state_.playerName, state_.duelOpponent));
}

void EventReplies::say(const std::string& message) {
    say(console::CommandLine(message));
}

void EventReplies::say(const console::CommandLine& message) {
    ctx_.console.SendConsoleCommand("say " + message);
}

void EventReplies::pause(float seconds) {
    waitSeconds(ctx_.clock, seconds);
}

}  // namespace varnok::engine
