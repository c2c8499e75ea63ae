#pragma once
// The game's own texts for the phrases it prints, in the player's language.
// The game takes each phrase it prints from its string files
// (strings/<language>/<file>.str, found as the game finds them: see
// GameFileSearch.h), so a line it printed in German holds the German text of
// the reference whose English text is the English phrase. Lookups go by that
// English text, never by the reference's key: the English text of a reference
// is its LANG_ENGLISH line in the language's file, or the LANG_ENGLISH line of
// the reference with the same key in the English file of the same name.
//
// The surface the engine uses:
//   GameStrings strings = GameStrings::load(folders, "german", {"mp_svgame"});
//   strings.translate("mp_svgame", "entered the game")  // the German text of it
//   strings.problems()  // what was passed over, to show or log
// Loading reads only the archives' directories and the few string files;
// nothing ever throws.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gamefiles/GameFileSearch.h"

namespace varnok::gamefiles {

// The most bytes of one string file: the game's are some tens of KiB.
constexpr std::uint32_t kMostStringFileBytes = 4u << 20;

class GameStrings {
  public:
    // Reads strings/<language>/<file>.str and strings/english/<file>.str for
    // each file named (without ".str": "mp_svgame"), from the game's folders.
    // A language or file name that is no plain name ("..", a slash) is refused
    // and noted, as is a file found nowhere.
    static GameStrings load(const GameFolders& folders, std::string_view language,
                            const std::vector<std::string>& files);

    // The text, in the language, of the reference in `file` whose English text
    // is `english` (letter case ignored, blanks around either trimmed); the
    // English text itself when the reference has no text of the language, an
    // empty one or "#same", or the language is English; nothing when `file` was not
    // loaded or holds no such reference. The text is as the file holds it.
    std::optional<std::string> translate(std::string_view file, std::string_view english) const;

    // What was passed over or not found, one description a line, each with the
    // archive's or file's path and why.
    const std::vector<std::string>& problems() const { return problems_; }

    // The bytes read from archives while loading (their directories and the
    // string files): a measure that loading never reads an archive whole.
    std::uint64_t archiveBytesRead() const { return archiveBytesRead_; }

  private:
    // A file's texts by the folded, trimmed English text.
    using Phrases = std::unordered_map<std::string, std::string>;

    std::unordered_map<std::string, Phrases> files_;  // by the file's name, folded
    std::vector<std::string> problems_;
    std::uint64_t archiveBytesRead_ = 0;
};

}  // namespace varnok::gamefiles
