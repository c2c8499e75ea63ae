#include "engine/LineExamination.h"

#include <array>

#include "commands/ChatCommands.h"
#include "console/LineKinds.h"
#include "engine/GameAnswers.h"
#include "engine/NameReader.h"
#include "engine/ReplySwitch.h"
#include "ports/Failures.h"
#include "text/Text.h"

namespace varnok::engine {

namespace {
constexpr const char* kEngineLoadHint = "Loading dll file ";
}

LineExamination::LineExamination(const ExaminationContext& context)
    : ctx_(context),
      events_({ctx_.console, ctx_.clock, ctx_.host, language_.phrases(), replies_, *this}) {}

// A line longer than the recognisers take keeps its end. The end of a long
// line someone said or typed may look like the game's message or a line of
// the player's own: nothing in it is handled.
void LineExamination::examine(const std::string& line) {
    if (watchLines) watchLines(line);
    newText_ = text::lastChars(line, kMaxNewText);
    if (text::containsNoCase(newText_, kEngineLoadHint)) ctx_.questions.askName("name", true);
    if (newText_ == lastText_) return;
    lastText_ = newText_;
    const bool cut = newText_.size() < line.size();
    if (cut && !console::isGameMessage(line)) return;
    handleNewText(!cut);
}

void LineExamination::handleNewText(bool startShown) {
    if (!playerName_.empty() && replies_.replyOn) {
        if (events_.run(newText_, playerName_)) return;
    } else {
        replyOnTest({newText_, playerName_, replies_, ctx_.console, ctx_.clock});
    }
    if (ctx_.toolkit.ended()) return;
    if (!playerName_.empty()) commands::runChatCommands(ctx_.commands, newText_, playerName_);
    if (ctx_.toolkit.ended()) return;
    // The game's answers are known by how their lines begin.
    if (!startShown) return;
    if (text::beginsWithNoCase(newText_, kNamePhrase))
        readName();
    else
        readGameAnswer();
}

// The phrases are read anew when the answers complete or change what they
// are read for; what the reading passed over is written down. The link takes
// the answers it asked for.
void LineExamination::readGameAnswer() {
    if (language_.readAnswer(newText_)) {
        for (const std::string& problem : language_.takeProblems())
            reportFailure("a file of the game's texts", problem);
    }
    for (std::string_view question : ctx_.link.questions())
        if (std::optional<std::string> value = cvarValue(newText_, question))
            ctx_.link.answered(question, *value, ctx_.clock.now());
}

// Only the game's own answer to "name" names the player: a line that begins
// with the phrase (a chat line quoting it begins with the speaker). A value
// found replaces the name (an empty value forgets it); a cut-off line keeps
// it. Either way the status line names the player and the latest text is
// taken down from the window.
void LineExamination::readName() {
    if (!yieldToWindows()) return;
    bool ended = false;
    std::optional<std::string> name = readNameValue(newText_, [this, &ended] {
        ended = !yieldToWindows();
        return !ended;
    });
    if (ended) return;
    if (name) setPlayer(*name);
    ctx_.status.player(playerName_);
    ctx_.host.chatText().setCaption("");
}

bool LineExamination::yieldToWindows() {
    ctx_.toolkit.yield();
    return !ctx_.toolkit.ended();
}

void LineExamination::engineReloaded() {
    ctx_.questions.askName("name", true);
}

void LineExamination::renamed(const std::string& newName) {
    setPlayer(newName);
    ctx_.status.player(playerName_);
}

void LineExamination::setPlayer(const std::string& name) {
    playerName_ = name;
    ctx_.console.knowPlayer(name);
}

}  // namespace varnok::engine
