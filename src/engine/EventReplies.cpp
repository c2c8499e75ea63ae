#include "engine/EventReplies.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "console/LineKinds.h"
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

// A line someone said, or one typed at the console, is no event whatever
// phrase it holds; of the chain only the reply-off command can hold there.
bool EventReplies::run(const std::string& newText, const std::string& playerName) {
    text_ = &newText;
    name_ = &playerName;
    const SwitchTurn switchTurn{newText, playerName, ctx_.state, ctx_.console, ctx_.clock};
    if (!console::isGameMessage(newText)) {
        replyOffTest(switchTurn);
        return false;
    }
    if (engineReload()) return true;
    ownEntry() || greeting() || duelNamedFirst() || selfKill() || duelNamedSecond() || rename() ||
        replyOffTest(switchTurn) || duelResult() || matchEnd();
    return false;
}

// The game restarted its renderer, maybe with another profile: ask the name again.
bool EventReplies::engineReload() {
    if (!text::containsNoCase(*text_, kEngineReload)) return false;
    if (ctx_.loop.yieldToWindows()) ctx_.loop.engineReloaded();
    return true;
}

bool EventReplies::ownEntry() {
    if (!text::beginsWithNoCase(*text_, *name_ + ctx_.phrases.entered)) return false;
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
    if (!text::containsNoCase(*text_, ctx_.phrases.entered) || !ctx_.state.greetReady) return false;
    const replies::ReplyMessages& messages = ctx_.host.replyMessages();
    if (!isEnabled(messages.GreetEn)) return true;
    ctx_.state.greetReady = false;
    const std::string entering = text::before(*text_, ctx_.phrases.entered).value_or("");
    say(fillOtherName(messages.Greet, entering));
    return true;
}

// The opponent is what follows the whole duel phrase.
bool EventReplies::duelNamedFirst() {
    const std::string& engaged = ctx_.phrases.engagedWith;
    if (!text::containsNoCase(*text_, *name_ + engaged)) return false;
    ctx_.state.duelEngaged = true;
    if (auto opponent = text::afterMarkerLess(*text_, engaged, engaged.size(), kDuelLineEnd))
        ctx_.state.duelOpponent = *opponent;
    sayDuelTemplate(ctx_.host.duelEngage());
    return true;
}

bool EventReplies::selfKill() {
    const std::string& t = *text_;
    std::optional<std::string> victim = text::before(t, ctx_.phrases.killedHimself);
    if (!victim) victim = text::before(t, ctx_.phrases.killedHerself);
    if (!victim) return false;
    // An empty victim text begins every name, so it counts as the player.
    if (text::beginsWithNoCase(*name_, *victim) && isEnabled(ctx_.host.replyMessages().DeathEn)) {
        pause(1.0f);
        say(ctx_.host.replyMessages().Death);
    }
    return true;
}

bool EventReplies::duelNamedSecond() {
    const std::string phrase = ctx_.phrases.engagedWith + *name_;
    std::optional<std::string> opponent = text::before(*text_, phrase);
    if (!opponent) return false;
    ctx_.state.duelEngaged = true;
    ctx_.state.duelOpponent = *opponent;
    sayDuelTemplate(ctx_.host.duelEngage());
    return true;
}

bool EventReplies::rename() {
    const std::string& renamedTo = ctx_.phrases.renamedTo;
    if (!text::beginsWithNoCase(*text_, *name_ + renamedTo)) return false;
    std::optional<std::string> renamed =
        text::afterMarkerLess(*text_, renamedTo, renamedTo.size(), kLineEnd);
    ctx_.loop.renamed(renamed.value_or(*name_));
    return true;
}

// The opponent and the names in the template are those of the duel's start,
// whatever names the kill line shows. A line of neither duellist leaves the
// duel open; a killer text that cannot be cut counts as no win.
bool EventReplies::duelResult() {
    if (!ctx_.state.duelEngaged) return false;
    const std::string& saberedBy = ctx_.phrases.saberedBy;
    std::optional<std::string> victim = text::before(*text_, saberedBy);
    if (!victim) return false;
    std::optional<std::string> killer =
        text::afterMarkerLess(*text_, saberedBy, saberedBy.size(), kLineEnd);
    if (killer && text::containsNoCase(*name_, *killer)) {
        pause(0.7f);
        sayDuelTemplate(ctx_.host.duelWon());
        ctx_.state.duelEngaged = false;
    } else if (text::containsNoCase(*name_, *victim)) {
        pause(0.7f);
        sayDuelTemplate(ctx_.host.duelLost());
        ctx_.state.duelEngaged = false;
    }
    return true;
}

// The time limit's line is the phrase itself; the kill limit's and the duel
// game type's win limit's name the player (or the team) first.
bool EventReplies::matchEnd() {
    const std::string& t = *text_;
    if (!text::beginsWithNoCase(t, ctx_.phrases.timeLimitHit) &&
        !endsWithAfterName(t, ctx_.phrases.killLimit) && !endsWithAfterName(t, kWinLimit))
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
    say(fillPlaceholders(message, *name_, ctx_.state.duelOpponent));
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
