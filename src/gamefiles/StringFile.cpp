#include "gamefiles/StringFile.h"

#include <algorithm>

#include "text/Text.h"

namespace varnok::gamefiles {

namespace {

using text::kBlanksAndTabs;

std::string_view trimmed(std::string_view s) {
    return text::trimBlanks(s, kBlanksAndTabs);
}

// The quoted text of a line's rest: between its first and last quote, to the
// end when it has one quote only, and the whole rest when it has none.
std::string_view quoted(std::string_view rest) {
    const std::size_t open = rest.find('"');
    if (open == std::string_view::npos) return trimmed(rest);
    const std::size_t close = rest.rfind('"');
    if (close == open) return rest.substr(open + 1);
    return rest.substr(open + 1, close - open - 1);
}

}  // namespace

const std::string* StringReference::text(std::string_view language) const {
    for (const auto& [tag, value] : texts)
        if (tag == language) return &value;
    return nullptr;
}

StringFile parseStringFile(std::string_view bytes) {
    StringFile file;
    // An editor's UTF-8 mark before the first keyword is no part of it.
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    StringReference* current = nullptr;
    for (const std::string_view untrimmed : text::splitLines(bytes, text::LineEnds::CrLfCrOrLf)) {
        const std::string_view line = trimmed(untrimmed);
        const std::size_t keywordEnd = std::min(line.find_first_of(" \t\""), line.size());
        const std::string_view keyword = line.substr(0, keywordEnd);
        const std::string_view rest = line.substr(keywordEnd);
        if (text::equalsNoCase(keyword, "ENDMARKER")) break;
        if (text::equalsNoCase(keyword, "REFERENCE")) {
            const std::string_view key = trimmed(rest);
            const std::string_view firstWord = key.substr(0, key.find_first_of(kBlanksAndTabs));
            if (firstWord.empty()) {
                current = nullptr;
                continue;
            }
            file.references.push_back({.key = std::string(firstWord)});
            current = &file.references.back();
        } else if (current != nullptr && keyword.size() > 5 &&
                   text::equalsNoCase(keyword.substr(0, 5), "LANG_")) {
            const std::string language = languageTag(keyword.substr(5));
            const std::string text(quoted(rest));
            bool replaced = false;
            for (auto& [tag, value] : current->texts)
                if (tag == language) {
                    value = text;
                    replaced = true;
                }
            if (!replaced) current->texts.emplace_back(language, text);
        }
    }
    return file;
}

std::string languageTag(std::string_view language) {
    return text::upperCaseAscii(language);
}

}  // namespace varnok::gamefiles
