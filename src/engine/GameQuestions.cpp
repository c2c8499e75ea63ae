#include "engine/GameQuestions.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "engine/GameLanguage.h"

namespace varnok::engine {

void GameQuestions::askName(const char* command, bool engineLoaded) {
    console_.SendConsoleCommand(command);
    if (!link_.present()) return;
    if (engineLoaded ? !gameQuestions_.allow(clock_.now()) : gameAsked_) return;
    const bool gameFound = !gameAsked_;
    gameAsked_ = true;
    gameQuestions_.allow(clock_.now());
    std::vector<std::string_view> questions(GameLanguage::kQuestions.begin(),
                                            GameLanguage::kQuestions.end());
    // What the link wants to know is asked once a game, after the language's.
    if (gameFound)
        for (std::string_view question : link_.questions())
            if (std::find(questions.begin(), questions.end(), question) == questions.end())
                questions.push_back(question);
    for (std::string_view question : questions)
        console_.SendConsoleCommand(console::CommandLine(question));
    if (gameFound) link_.asked();
}

// The link's questions went once with the name's; those whose answers may
// have been lost (printed before the pane was first read) and did not come
// go once more, 5 s later.
void GameQuestions::keepAsking(bool nameKnown) {
    if (nameKnown)
        nameQueries_.restart();  // the next spell without a name asks at once
    else if (nameQueries_.allow(clock_.now()))
        askName("/name");
    if (!gameAsked_) return;
    const std::vector<std::string_view> missing = link_.unanswered();
    if (missing.empty() || !gameQuestions_.allow(clock_.now())) return;
    for (std::string_view question : missing)
        console_.SendConsoleCommand(console::CommandLine(question));
    link_.asked();
}

std::optional<TimePoint> GameQuestions::nextNameQuery(bool nameKnown) const {
    if (nameKnown) return std::nullopt;
    return nameQueries_.nextAllowed();
}

void GameQuestions::forget() {
    nameQueries_.restart();  // a game that comes back is asked at once
    gameAsked_ = false;
}

}  // namespace varnok::engine
