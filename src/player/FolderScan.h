#pragma once
// The file list behind "Add Folder": the names of the files (not the folders)
// of one folder, sorted by name, and the test for a song name.
//
// Sort order: byte by byte with the ASCII letters A-Z folded to lower case,
// the way a Windows file list shows names regardless of their case; two names
// that differ only in case keep a fixed order by their raw bytes (upper case
// first). Other bytes, accented letters included, compare by their code.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnok::player {

// True when `a` comes before `b` in the file list's order.
bool fileNameBefore(std::string_view a, std::string_view b);

// The names of the regular files in `folder`, sorted; sub-folders are left
// out. Nothing when the folder cannot be listed.
std::optional<std::vector<std::string>> listFileNames(const std::filesystem::path& folder);

// A name whose last four characters are exactly ".wav", ".mp3" or ".wma"
// (case-sensitive: "song.MP3" is not a song).
bool isSongName(std::string_view name);

// The file name of a path without its folder; either separator counts.
std::string fileNameOf(std::string_view path);

// The folder followed by the system's separator and the name; no separator
// is doubled when the folder already ends with one (a drive root "C:\").
std::string joinFolder(std::string_view folder, std::string_view name);

}  // namespace varnok::player
