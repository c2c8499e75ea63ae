// The string file reader over arbitrary bytes: every key and text it gives is
// a piece of the input kept as it is, none holds a line end (a text never runs
// past its line), keys are single words, each reference has each language once
// and in upper case, and a file written back from what was read reads the same.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "fuzz/Check.h"
#include "gamefiles/StringFile.h"

using namespace varnok::gamefiles;
using varnok::fuzz::check;

namespace {

std::string format(const StringFile& file) {
    std::string out = "VERSION \"1\"\r\n";
    for (const StringReference& reference : file.references) {
        out += "REFERENCE " + reference.key + "\r\n";
        for (const auto& [language, text] : reference.texts)
            out += "LANG_" + language + " \"" + text + "\"\r\n";
    }
    return out + "ENDMARKER\r\n";
}

bool sameFile(const StringFile& a, const StringFile& b) {
    if (a.references.size() != b.references.size()) return false;
    for (std::size_t i = 0; i < a.references.size(); ++i)
        if (a.references[i].key != b.references[i].key ||
            a.references[i].texts != b.references[i].texts)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const StringFile file = parseStringFile(input);
    for (const StringReference& reference : file.references) {
        check(!reference.key.empty() && reference.key.find_first_of(" \t\r\n") == std::string::npos,
              "a key is one word");
        check(input.find(reference.key) != std::string_view::npos, "a key is part of the input");
        std::set<std::string> languages;
        for (const auto& [language, text] : reference.texts) {
            check(languages.insert(language).second, "a reference has each language once");
            check(!language.empty() &&
                      language.find_first_of(" \t\r\n\"abcdefghijklmnopqrstuvwxyz") ==
                          std::string::npos,
                  "a language is one word in upper case");
            check(text.find_first_of("\r\n") == std::string::npos, "no text holds a line end");
            check(input.find(text) != std::string_view::npos, "a text is part of the input");
        }
    }
    check(sameFile(parseStringFile(format(file)), file), "a file written back reads the same");
    return 0;
}
