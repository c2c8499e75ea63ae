#include "gamefiles/GameStrings.h"

#include "gamefiles/StringFile.h"
#include "text/SystemPath.h"
#include "text/Text.h"

namespace varnok::gamefiles {

namespace {

constexpr std::string_view kEnglish = "english";

// The form English texts are compared in: blanks around trimmed, letter case folded.
std::string phraseKey(std::string_view english) {
    return text::foldCase(text::trimBlanks(english, text::kBlanksAndTabs));
}

std::string gamePath(std::string_view language, const std::string& file) {
    return "strings/" + std::string(language) + "/" + file + ".str";
}

// "#same" stands for the English text, and so does a text of blanks only: an
// empty phrase would be found in every line.
bool meansEnglish(const std::string& text) {
    const std::string_view trimmed = text::trimBlanks(text);
    return trimmed.empty() || text::equalsNoCase(trimmed, "#same");
}

}  // namespace

GameStrings GameStrings::load(const GameFolders& folders, std::string_view language,
                              const std::vector<std::string>& files) {
    GameStrings strings;
    if (!isPlainName(language)) {
        strings.problems_.push_back("The language \"" + std::string(language) +
                                    "\" is no folder name; no string file is read.");
        return strings;
    }
    const bool english = text::equalsNoCase(language, kEnglish);
    const std::string tag = languageTag(language);
    GameFileSearch search(folders);

    auto readFile = [&](const std::string& path) {
        std::optional<std::string> bytes = search.read(path, kMostStringFileBytes);
        if (!bytes)
            strings.problems_.push_back(path + ": in no archive and no folder under " +
                                        text::fromPath(folders.basePath) + " that can be read");
        return bytes ? parseStringFile(*bytes) : StringFile{};
    };

    for (const std::string& file : files) {
        if (!isPlainName(file)) {
            strings.problems_.push_back("The string file \"" + file +
                                        "\" is no file name; it is not read.");
            continue;
        }
        const StringFile englishFile = readFile(gamePath(kEnglish, file));
        const StringFile languageFile = english ? StringFile{} : readFile(gamePath(language, file));

        // Keys compare in upper case, as the language tags do.
        std::unordered_map<std::string, const std::string*> englishByKey;
        for (const StringReference& reference : englishFile.references)
            if (const std::string* text = reference.text("ENGLISH"))
                englishByKey.try_emplace(languageTag(reference.key), text);

        // The first reference with an English text is the one found for it.
        Phrases& phrases = strings.files_[text::foldCase(file)];
        auto add = [&phrases](const std::string* english, const std::string& text) {
            if (english == nullptr) return;
            const std::string key = phraseKey(*english);
            if (!key.empty()) phrases.try_emplace(key, text);
        };
        for (const StringReference& reference : languageFile.references) {
            const std::string* ownEnglish = reference.text("ENGLISH");
            const auto inEnglishFile = englishByKey.find(languageTag(reference.key));
            const std::string* fileEnglish =
                inEnglishFile == englishByKey.end() ? nullptr : inEnglishFile->second;
            const std::string* english = ownEnglish != nullptr ? ownEnglish : fileEnglish;
            if (english == nullptr) continue;
            const std::string* text = reference.text(tag);
            const std::string& shown = text == nullptr || meansEnglish(*text) ? *english : *text;
            // The English file's text names the reference too, should the
            // language's file carry an older English text.
            add(english, shown);
            add(fileEnglish, shown);
        }
        // A reference the language's file lacks is shown in English.
        for (const StringReference& reference : englishFile.references)
            if (const std::string* text = reference.text("ENGLISH")) add(text, *text);
    }
    for (const std::string& problem : search.problems()) strings.problems_.push_back(problem);
    strings.archiveBytesRead_ = search.archiveBytesRead();
    return strings;
}

std::optional<std::string> GameStrings::translate(std::string_view file,
                                                  std::string_view english) const {
    const auto phrases = files_.find(text::foldCase(file));
    if (phrases == files_.end()) return std::nullopt;
    const auto found = phrases->second.find(phraseKey(english));
    if (found == phrases->second.end()) return std::nullopt;
    return found->second;
}

}  // namespace varnok::gamefiles
