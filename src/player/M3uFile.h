#pragma once
// M3U playlists as music players write them: one song a line, as an absolute
// path, a path relative to the playlist file's folder (with "/" or "\"), or a
// file:/// URL. Lines that begin with "#" (#EXTM3U, #EXTINF ...) are comments,
// blank lines are skipped and streams (http://, https:// ...) are passed over.
// A .m3u file is in the system code page, a .m3u8 file in UTF-8; a UTF-8 byte
// order mark makes either one UTF-8. Each song is shown by its file name.

#include <filesystem>
#include <string>
#include <string_view>

#include "player/PlaylistFile.h"

namespace varnok::player {

enum class M3uText { CodePage, Utf8 };

// The songs of M3U `content` whose file lies in `folder` (8-bit text), at
// most the playlist's limit. A UTF-8 line that the system code page cannot
// write is skipped. Failed when no line names a song.
PlaylistRead parseM3u(std::string_view content, std::string_view folder, M3uText text);

// Whether the file's extension is .m3u or .m3u8, letter case ignored.
bool isM3uFile(const std::filesystem::path& file);

// Reads an M3U file, in UTF-8 for .m3u8 and in the system code page otherwise.
PlaylistRead readM3uFile(const std::filesystem::path& file);

}  // namespace varnok::player
