#pragma once
// The game's files found where the game finds them. A folder is searched
// through its .pk3 archives, the one whose name sorts last (letter case
// ignored, as the game sorts them) first, and then through its loose files;
// the mod folder (fs_game) is searched before base. Archives are opened once,
// when the search is made, and only their directories are read then; an entry
// is read when asked for. A copy that cannot be read (a damaged archive or
// entry, an unreadable file) is passed over for the next one and noted as a
// problem.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gamefiles/ArchiveDirectory.h"
#include "gamefiles/ByteSource.h"

namespace varnok::gamefiles {

struct GameFolders {
    std::filesystem::path basePath;  // fs_basepath: the game's folder, which holds "base"
    std::string game;                // fs_game: the mod folder beside "base"; empty for none
};

// Whether `name` is one folder or file name the game would accept in a path
// it makes: not empty, no '/', '\' or ':' and no "..".
bool isPlainName(std::string_view name);

class GameFileSearch {
  public:
    explicit GameFileSearch(const GameFolders& folders);

    // The bytes of the game file `name` ("strings/german/mp_svgame.str") from
    // the first place that holds a readable copy of at most `mostBytes`;
    // nothing when none does.
    std::optional<std::string> read(std::string_view name, std::uint32_t mostBytes);

    // What was passed over, one description a line, each with the path.
    const std::vector<std::string>& problems() const { return problems_; }
    // The bytes read from archives so far: their ends, directories and the
    // entries read.
    std::uint64_t archiveBytesRead() const;

  private:
    struct Archive {
        std::filesystem::path path;
        std::unique_ptr<FileBytes> bytes;
        std::unordered_map<std::string, ArchiveEntry> entries;  // by entryKey
    };
    struct Folder {
        std::filesystem::path path;
        std::vector<Archive> archives;  // in the order they are searched
    };

    void addFolder(const std::filesystem::path& path);
    std::optional<std::string> readFromArchive(Archive& archive, const std::string& key,
                                               std::uint32_t mostBytes);

    std::vector<Folder> folders_;  // in the order they are searched
    std::vector<std::string> problems_;
};

}  // namespace varnok::gamefiles
