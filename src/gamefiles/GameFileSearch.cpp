#include "gamefiles/GameFileSearch.h"

#include <algorithm>
#include <system_error>

#include "gamefiles/EntryReader.h"
#include "text/SystemPath.h"
#include "text/Text.h"
#include "text/WholeFile.h"

namespace varnok::gamefiles {

namespace {

constexpr std::string_view kBaseFolder = "base";

bool isArchiveName(std::string_view name) {
    return name.size() > 4 && text::equalsNoCase(name.substr(name.size() - 4), ".pk3");
}

// An archive's name as the game sorts archives: letters folded to upper case,
// so that '_' and the other signs between 'Z' and 'a' sort after every letter.
std::string sortKey(const std::string& name) {
    return text::upperCaseAscii(name) + '\0' + name;
}

}  // namespace

bool isPlainName(std::string_view name) {
    return !name.empty() && name.find_first_of("/\\:") == std::string_view::npos &&
           name.find("..") == std::string_view::npos;
}

GameFileSearch::GameFileSearch(const GameFolders& folders) {
    if (!folders.game.empty() && !text::equalsNoCase(folders.game, kBaseFolder)) {
        if (isPlainName(folders.game))
            addFolder(folders.basePath / text::toPath(folders.game));
        else
            problems_.push_back("The mod folder \"" + folders.game +
                                "\" is no folder name; only base is searched.");
    }
    addFolder(folders.basePath / text::toPath(std::string(kBaseFolder)));
}

void GameFileSearch::addFolder(const std::filesystem::path& path) {
    Folder folder{.path = path};
    // The archives by name, letter case ignored; a folder that is not there
    // has none, and only its (missing) loose files are looked for.
    std::vector<std::pair<std::string, std::filesystem::path>> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(path, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = text::fromPath(it->path().filename());
        std::error_code ignored;
        if (isArchiveName(name) && it->is_regular_file(ignored))
            names.emplace_back(sortKey(name), it->path());
    }
    if (error && error != std::errc::no_such_file_or_directory)
        problems_.push_back(text::fromPath(path) + ": cannot be listed: " + error.message());
    // The archive that sorts last overrides the ones before it: it is searched first.
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return a > b; });

    for (const auto& [sortKey, archivePath] : names) {
        std::string why;
        Archive archive{.path = archivePath, .bytes = FileBytes::open(archivePath, why)};
        if (!archive.bytes) {
            problems_.push_back(text::fromPath(archivePath) + ": cannot be opened: " + why);
            continue;
        }
        ArchiveDirectory directory = readArchiveDirectory(*archive.bytes);
        for (const std::string& problem : directory.problems)
            problems_.push_back(text::fromPath(archivePath) + ": " + problem);
        // Of two entries with one name, the later in the directory is the one found.
        for (ArchiveEntry& entry : directory.entries)
            archive.entries.insert_or_assign(entryKey(entry.name), std::move(entry));
        folder.archives.push_back(std::move(archive));
    }
    folders_.push_back(std::move(folder));
}

std::optional<std::string> GameFileSearch::read(std::string_view name, std::uint32_t mostBytes) {
    const std::string key = entryKey(name);
    for (Folder& folder : folders_) {
        for (Archive& archive : folder.archives)
            if (std::optional<std::string> bytes = readFromArchive(archive, key, mostBytes))
                return bytes;
        const text::WholeFileRead loose = text::readWholeFile(
            folder.path / text::toPath(std::string(name)), mostBytes, "game file");
        if (loose.outcome == text::WholeFileRead::Outcome::Read) return loose.content;
        if (loose.outcome != text::WholeFileRead::Outcome::Missing)
            problems_.push_back(loose.description);
    }
    return std::nullopt;
}

std::optional<std::string> GameFileSearch::readFromArchive(Archive& archive, const std::string& key,
                                                           std::uint32_t mostBytes) {
    const auto found = archive.entries.find(key);
    if (found == archive.entries.end()) return std::nullopt;
    EntryRead read = readEntry(*archive.bytes, found->second, mostBytes);
    if (!read.data)
        problems_.push_back(text::fromPath(archive.path) + ": " + found->second.name + ": " +
                            read.problem);
    return std::move(read.data);
}

std::uint64_t GameFileSearch::archiveBytesRead() const {
    std::uint64_t total = 0;
    for (const Folder& folder : folders_)
        for (const Archive& archive : folder.archives) total += archive.bytes->bytesRead();
    return total;
}

}  // namespace varnok::gamefiles
