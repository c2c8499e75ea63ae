// The playlist file reader over arbitrary file contents: a list it reads holds
// exactly the songs its first line announces, within the 16-bit count, and is
// written and read back unchanged. The same contents read as an M3U playlist
// give songs within the count, each on one line and shown by a file name.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/Check.h"
#include "player/M3uFile.h"
#include "player/PlaylistFile.h"

using namespace varnok::player;
using varnok::fuzz::check;

namespace {

void checkM3u(std::string_view content, M3uText text) {
    const PlaylistRead read = parseM3u(content, "C:\\Lists", text);
    check((read.outcome == PlaylistRead::Outcome::Read) == !read.entries.empty(),
          "an M3U playlist reads exactly when it names a song");
    check(read.entries.size() <= static_cast<std::size_t>(kMostSongs), "at most 32767 songs");
    for (const PlaylistEntry& entry : read.entries) {
        check(entry.path.find_first_of("\r\n") == std::string::npos, "no song holds a line end");
        check(!entry.name.empty() && entry.name.find_first_of("\\/") == std::string::npos,
              "each song is shown by a file name");
        check(entry.path.ends_with(entry.name), "the name ends the path");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    checkM3u(content, M3uText::CodePage);
    checkM3u(content, M3uText::Utf8);
    const PlaylistRead read = parsePlaylist(content);
    if (read.outcome != PlaylistRead::Outcome::Read) {
        check(read.outcome == PlaylistRead::Outcome::Failed, "text that is there is never missing");
        check(!read.description.empty(), "a refused playlist says why");
        return 0;
    }
    check(read.entries.size() <= static_cast<std::size_t>(kMostSongs), "at most 32767 songs");
    for (const PlaylistEntry& entry : read.entries)
        check(entry.path.find('\r') == std::string::npos &&
                  entry.name.find('\r') == std::string::npos,
              "no song holds a line end");

    const PlaylistRead again = parsePlaylist(formatPlaylist(read.entries));
    check(again.outcome == PlaylistRead::Outcome::Read, "a written playlist reads back");
    check(again.entries == read.entries, "a written playlist reads back unchanged");
    return 0;
}
