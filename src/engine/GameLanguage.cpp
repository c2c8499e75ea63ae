#include "engine/GameLanguage.h"

#include <algorithm>

#include "engine/GameAnswers.h"
#include "gamefiles/GameStrings.h"
#include "text/SystemPath.h"

namespace varnok::engine {

bool GameLanguage::readAnswer(std::string_view line) {
    std::optional<std::string>* slots[] = {&answers_.language, &answers_.basePath, &answers_.game};
    for (std::size_t i = 0; i < kQuestions.size(); ++i) {
        std::optional<std::string> value = cvarValue(line, kQuestions[i]);
        if (!value) continue;
        *slots[i] = std::move(value);
        if (answers_.complete() && answers_ != read_) readPhrases();
        return true;
    }
    return false;
}

// Each phrase from the texts the game has for its language; one it has not
// stays as it was in English.
void GameLanguage::readPhrases() {
    read_ = answers_;
    phrases_ = EventPhrases{};
    if (answers_.basePath->empty()) return;  // no folder: nothing to read
    std::vector<std::string> files;
    for (const PhraseSource& source : phraseSources())
        if (std::find(files.begin(), files.end(), source.file) == files.end())
            files.emplace_back(source.file);
    const gamefiles::GameStrings strings = gamefiles::GameStrings::load(
        {text::toPath(*answers_.basePath), *answers_.game}, *answers_.language, files);
    for (const PhraseSource& source : phraseSources()) {
        if (std::optional<std::string> text = strings.translate(source.file, source.english))
            phrases_.*source.phrase =
                std::string(source.before) + *text + std::string(source.after);
    }
    problems_.insert(problems_.end(), strings.problems().begin(), strings.problems().end());
}

std::vector<std::string> GameLanguage::takeProblems() {
    std::vector<std::string> problems;
    problems.swap(problems_);
    return problems;
}

}  // namespace varnok::engine
