#pragma once
// The game's string files (strings/<language>/<name>.str): "VERSION", header
// lines, then blocks that each begin with "REFERENCE <KEY>" and hold the
// reference's texts as "LANG_<LANGUAGE> "<text>"" lines, the file ending with
// "ENDMARKER". Read the way a forgiving game loader reads them: line by line
// (CR LF, LF or CR alone ends a line), keywords in any letter case, blank
// lines, unknown keywords and lines that mean nothing passed over, a block
// ended by the next REFERENCE, and what is there kept when ENDMARKER is
// missing. A text is the bytes between the first and the last quote of its
// line (to the line's end when there is no closing quote), kept as they are:
// they are in the game's 8-bit code page, as its console shows them.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnok::gamefiles {

struct StringReference {
    std::string key;
    // Each LANG_ line's language (upper case, "ENGLISH", "GERMAN") and text,
    // in the file's order; a language given twice keeps its last text.
    std::vector<std::pair<std::string, std::string>> texts;

    // The text for `language` (upper case); nothing when the block has none.
    const std::string* text(std::string_view language) const;
};

struct StringFile {
    std::vector<StringReference> references;  // in the file's order
};

StringFile parseStringFile(std::string_view bytes);

// A language's name as the files write it after "LANG_": "german" is "GERMAN".
std::string languageTag(std::string_view language);

}  // namespace varnok::gamefiles
