#include "engine/EventPhrases.h"

namespace varnok::engine {

const std::vector<PhraseSource>& phraseSources() {
    static const std::vector<PhraseSource> sources = {
        {&EventPhrases::entered, "mp_svgame", "entered the game", " ", ""},
        {&EventPhrases::renamedTo, "mp_svgame", "renamed to", " ", " "},
        {&EventPhrases::engagedWith, "mp_svgame", "has become engaged in a duel with", " ", " "},
        {&EventPhrases::timeLimitHit, "mp_svgame", "Timelimit hit", "", "."},
        {&EventPhrases::killLimit, "mp_svgame", "hit the kill limit", " ", "."},
        {&EventPhrases::saberedBy, "mp_ingame", "was sabered by", " ", " "},
        {&EventPhrases::killedHimself, "mp_ingame", "killed himself", " ", ""},
        {&EventPhrases::killedHerself, "mp_ingame", "killed herself", " ", ""},
    };
    return sources;
}

}  // namespace varnok::engine
