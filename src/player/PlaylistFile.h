#pragma once
// Playlist files: 8-bit text, line 1 the number of songs N written as a blank,
// the digits and a blank, then N pairs of lines (the song's full path, then its
// displayed name). Lines are written with CR LF and read up to CR LF or a CR
// alone. Anything after the N pairs is ignored.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnok::player {

// The most songs a playlist holds: its count is a 16-bit number.
inline constexpr int kMostSongs = std::numeric_limits<std::int16_t>::max();

struct PlaylistEntry {
    std::string path;
    std::string name;
    friend bool operator==(const PlaylistEntry&, const PlaylistEntry&) = default;
};

struct PlaylistRead {
    enum class Outcome {
        Read,     // every announced pair was read
        Missing,  // no such file or folder (normal before the first save)
        Failed    // the file is there but unreadable, or malformed
    };
    Outcome outcome = Outcome::Failed;
    std::vector<PlaylistEntry> entries;  // complete only when Read
    std::string description;             // what went wrong, for the user
};

// Line 1 as a song count: decimal digits with blanks around them, 0..32767.
std::optional<int> parseSongCount(std::string_view line);

std::string formatPlaylist(const std::vector<PlaylistEntry>& entries);
PlaylistRead parsePlaylist(std::string_view text);

// A larger file is refused by its size, before anything is read.
inline constexpr std::uintmax_t kMostPlaylistFileBytes = 16 * 1024 * 1024;

// Reads `file` whole and hands its text to `parse`: the reader of this format
// unless another is given.
PlaylistRead readPlaylistFile(
    const std::filesystem::path& file,
    const std::function<PlaylistRead(std::string_view)>& parse = parsePlaylist);

// Writes the playlist beside `file` under a temporary name and renames it over
// `file`, so a failed save leaves the previous file intact (text/WholeFile.h).
// The failure's description, or nothing on success.
std::optional<std::string> writePlaylistFile(const std::filesystem::path& file,
                                             const std::vector<PlaylistEntry>& entries);

}  // namespace varnok::player
