#include "player/FolderScan.h"

#include "text/SystemPath.h"
#include "text/Text.h"

#include <algorithm>
#include <system_error>

namespace varnok::player {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

bool fileNameBefore(std::string_view a, std::string_view b) {
    // Strings compare their bytes unsigned, so "\xE9" sorts after "z".
    const std::string foldedA = text::lowerCaseAscii(a), foldedB = text::lowerCaseAscii(b);
    if (foldedA != foldedB) return foldedA < foldedB;
    return a < b;  // same letters, different case: raw bytes decide
}

std::optional<std::vector<std::string>> listFileNames(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) return std::nullopt;
    std::vector<std::string> names;
    for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
        if (error) return std::nullopt;
        std::error_code kindError;
        if (it->is_regular_file(kindError)) names.push_back(text::fromPath(it->path().filename()));
    }
    if (error) return std::nullopt;
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return fileNameBefore(a, b); });
    return names;
}

bool isSongName(std::string_view name) {
    return std::any_of(std::begin(kSongExtensions), std::end(kSongExtensions),
                       [&](std::string_view ending) { return name.ends_with(ending); });
}

std::string fileNameOf(std::string_view path) {
    const auto cut = std::find_if(path.rbegin(), path.rend(), isSeparator);
    return std::string(cut.base(), path.end());
}

std::string joinFolder(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    if (joined.empty() || !isSeparator(joined.back()))
        joined += static_cast<char>(std::filesystem::path::preferred_separator);
    joined += name;
    return joined;
}

}  // namespace varnok::player
