// The playlist file reader over arbitrary file contents: a list it reads holds
// exactly the songs its first line announces, within the 16-bit count, and is
// written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/Check.h"
#include "player/PlaylistFile.h"

using namespace varnok::player;
using varnok::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
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
