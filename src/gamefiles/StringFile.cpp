#include "gamefiles/StringFile.h"

#include <algorithm>

namespace varnok::gamefiles {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string upperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool keywordIs(std::string_view keyword, std::string_view wanted) {
    return keyword.size() == wanted.size() && upperCase(keyword) == wanted;
}

std::string_view trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
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

// The next line of `bytes` from `at`, without its line end; `at` moves past it.
std::string_view nextLine(std::string_view bytes, std::size_t& at) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n", at), bytes.size());
    const std::string_view line = bytes.substr(at, end - at);
    at = end;
    if (at < bytes.size() && bytes[at] == '\r') ++at;
    if (at < bytes.size() && bytes[at] == '\n') ++at;
    return line;
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
    for (std::size_t at = 0; at < bytes.size();) {
        const std::string_view line = trimmed(nextLine(bytes, at));
        const std::size_t keywordEnd = std::min(line.find_first_of(" \t\""), line.size());
        const std::string_view keyword = line.substr(0, keywordEnd);
        const std::string_view rest = line.substr(keywordEnd);
        if (keywordIs(keyword, "ENDMARKER")) break;
        if (keywordIs(keyword, "REFERENCE")) {
            const std::string_view key = trimmed(rest);
            const std::string_view firstWord = key.substr(0, key.find_first_of(kBlanks));
            if (firstWord.empty()) {
                current = nullptr;
                continue;
            }
            file.references.push_back({.key = std::string(firstWord)});
            current = &file.references.back();
        } else if (current != nullptr && keyword.size() > 5 &&
                   keywordIs(keyword.substr(0, 5), "LANG_")) {
            const std::string language = upperCase(keyword.substr(5));
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
    return upperCase(language);
}

}  // namespace varnok::gamefiles
