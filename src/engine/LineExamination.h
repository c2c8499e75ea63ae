#pragma once
// Each complete line the game printed, examined in the order printed: the
// engine-load hint, the change gate (a line equal to the last one handled is
// dropped), then the recognisers, at most one event and one command a line:
// the event replies (or, while they are off or the name is unknown, the
// "!ReplyON" test), the chat commands, and the game's answers (the player's
// name, the game's language and folders, what the link asked). Replies and
// their pauses run inside the line's handling, so commands printed together
// run one after another.

#include <functional>
#include <string>

#include "commands/CommandContext.h"
#include "console/ConsoleLink.h"
#include "console/GameLink.h"
#include "engine/EventReplies.h"
#include "engine/GameLanguage.h"
#include "engine/GameQuestions.h"
#include "engine/MainWindowControls.h"
#include "engine/ReplyState.h"
#include "engine/StatusLine.h"
#include "ports/Clock.h"
#include "ports/Toolkit.h"

namespace varnok::engine {

struct ExaminationContext {
    ui::Toolkit& toolkit;
    Clock& clock;
    console::ConsoleLink& console;
    console::GameLink& link;
    const commands::CommandContext& commands;
    MainWindowControls& host;
    GameQuestions& questions;
    StatusLine& status;
};

class LineExamination : private ReplyCallbacks {
  public:
    explicit LineExamination(const ExaminationContext& context);

    // The most of one line the recognisers are handed (its end).
    static constexpr std::size_t kMaxNewText = 200;

    // One complete line, with its line end.
    void examine(const std::string& line);

    const std::string& playerName() const { return playerName_; }
    // The game went away: its player is unknown until the next one answers.
    void forgetPlayer() { setPlayer(""); }
    void switchRepliesOn() { replies_.replyOn = true; }
    // A greeting may go out (the greeting timer ticked).
    void allowGreeting() { replies_.greetReady = true; }

    // Called with every line examined, before its recognisers run: lets
    // checks follow the lines one by one. Empty in the program.
    std::function<void(const std::string&)> watchLines;

  private:
    // A line past the change gate; `startShown`: the line's start is in newText.
    void handleNewText(bool startShown);
    // The "name" line: learns the name, rewrites the status line.
    void readName();
    // A line that answers one of the questions about the game.
    void readGameAnswer();

    void setPlayer(const std::string& name);

    // ReplyCallbacks
    bool yieldToWindows() override;
    void engineReloaded() override;
    void renamed(const std::string& newName) override;

    ExaminationContext ctx_;
    ReplyState replies_;
    GameLanguage language_;
    EventReplies events_;
    std::string playerName_;  // as the game prints it
    std::string newText_;     // the line being examined (its last 200 characters at most)
    std::string lastText_;    // the last line handed to the recognisers
};

}  // namespace varnok::engine
