#pragma once
// The game's language and folders as its console answers them, and the event
// phrases in that language, read from the game's own string files. Varnok asks
// the three console variables with every name query; their answers are the
// game's own lines, `"se_language" is:"german" default:"english"`. Once all
// three are known the phrases are read for them; the same language and
// folders are not read twice, a change is read again. Without an answer, the
// files or a phrase in them, that phrase stays English.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/EventPhrases.h"

namespace varnok::engine {

class GameLanguage {
  public:
    // The console variables asked with the name, each typed alone.
    static constexpr std::array<const char*, 3> kQuestions = {"se_language", "fs_basepath",
                                                              "fs_game"};

    // A line that begins with the answer to one of the questions: its value
    // is kept, and the phrases are read anew when that completes or changes
    // what they are read for. True when the line was such an answer.
    bool readAnswer(std::string_view line);

    const EventPhrases& phrases() const { return phrases_; }
    // The mod folder the game answered (empty for none); nothing before its answer.
    const std::optional<std::string>& game() const { return answers_.game; }
    // What reading the texts passed over (a damaged archive or file, one not
    // found), since the last call.
    std::vector<std::string> takeProblems();

  private:
    struct Answers {
        std::optional<std::string> language, basePath, game;
        bool complete() const { return language && basePath && game; }
        bool operator==(const Answers&) const = default;
    };
    void readPhrases();

    Answers answers_;
    std::optional<Answers> read_;  // what the phrases were read for
    EventPhrases phrases_;
    std::vector<std::string> problems_;
};

}  // namespace varnok::engine
