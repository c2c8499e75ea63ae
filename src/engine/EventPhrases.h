#pragma once
// The phrases by which the game's event lines are known. The game prints an
// event line in the player's language: only its phrase changes, the names
// keep their places:
//   <name> entered the game
//   <old> renamed to <new>
//   <a> has become engaged in a duel with <b>!
//   Timelimit hit.
//   <name> hit the kill limit.          (Red, Blue in team games)
//   <victim> was sabered by <attacker>
//   <victim> killed himself / killed herself
// Each phrase is a text of the game's string files with the blanks and the
// period the game prints around it. English until the game's own texts say
// otherwise. "<name> hit the win limit." is English in every language.

#include <string>
#include <string_view>
#include <vector>

namespace varnok::engine {

struct EventPhrases {
    std::string entered = " entered the game";
    std::string renamedTo = " renamed to ";
    std::string engagedWith = " has become engaged in a duel with ";
    std::string timeLimitHit = "Timelimit hit.";
    std::string killLimit = " hit the kill limit.";
    std::string saberedBy = " was sabered by ";
    std::string killedHimself = " killed himself";
    std::string killedHerself = " killed herself";
};

inline constexpr std::string_view kWinLimit = " hit the win limit.";

// Where a phrase comes from: the string file that holds it, its English text
// there, and what the game prints before and after that text.
struct PhraseSource {
    std::string EventPhrases::*phrase;
    std::string_view file;
    std::string_view english;
    std::string_view before;
    std::string_view after;
};

// Every phrase's source, in the order of EventPhrases.
const std::vector<PhraseSource>& phraseSources();

}  // namespace varnok::engine
