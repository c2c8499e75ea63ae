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

// The endings of the song files the player takes: MP3, WMA and WAV, which
// every Windows plays, and M4A (AAC or ALAC), raw AAC, FLAC, Ogg Vorbis and
// Opus, which Media Foundation plays where Windows has their decoders.
inline constexpr std::string_view kSongExtensions[] = {".mp3",  ".wma", ".wav", ".m4a", ".aac",
                                                       ".flac", ".ogg", ".oga", ".opus"};

// A name that ends exactly in one of the song endings (case-sensitive:
// "song.MP3" is not a song).
bool isSongName(std::string_view name);

// The file name of a path without its folder; either separator counts.
std::string fileNameOf(std::string_view path);

// The folder followed by the system's separator and the name; no separator
// is doubled when the folder already ends with one (a drive root "C:\").
std::string joinFolder(std::string_view folder, std::string_view name);

}  // namespace varnok::player
