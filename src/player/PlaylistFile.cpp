#include "player/PlaylistFile.h"

#include "text/Text.h"
#include "text/WholeFile.h"

namespace varnok::player {

namespace {

PlaylistRead failed(std::string description) {
    return {.outcome = PlaylistRead::Outcome::Failed, .description = std::move(description)};
}

}  // namespace

std::optional<int> parseSongCount(std::string_view line) {
    const std::string_view digits = text::trimBlanks(line);
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > kMostSongs) return std::nullopt;
    return value;
}

std::string formatPlaylist(const std::vector<PlaylistEntry>& entries) {
    std::string out(1, ' ');
    out += std::to_string(entries.size());
    out += " \r\n";
    for (const PlaylistEntry& entry : entries) out += entry.path + "\r\n" + entry.name + "\r\n";
    return out;
}

PlaylistRead parsePlaylist(std::string_view text) {
    const std::vector<std::string_view> lines = text::splitLines(text, text::LineEnds::CrLfOrCr);
    if (lines.empty()) return failed("The playlist file is empty");
    const std::optional<int> count = parseSongCount(lines[0]);
    if (!count) return failed("The first line of the playlist is not a number of songs");
    PlaylistRead read{.outcome = PlaylistRead::Outcome::Read};
    for (int i = 0; i < *count; ++i) {
        const std::size_t pathLine = 1 + 2 * static_cast<std::size_t>(i);
        if (pathLine + 1 >= lines.size())
            return failed("The playlist file ends before its last song");
        read.entries.push_back({std::string(lines[pathLine]), std::string(lines[pathLine + 1])});
    }
    return read;
}

PlaylistRead readPlaylistFile(const std::filesystem::path& file,
                              const std::function<PlaylistRead(std::string_view)>& parse) {
    text::WholeFileRead read = text::readWholeFile(file, kMostPlaylistFileBytes, "playlist file");
    if (read.outcome == text::WholeFileRead::Outcome::Read) return parse(read.content);
    if (read.outcome == text::WholeFileRead::Outcome::Missing)
        return {.outcome = PlaylistRead::Outcome::Missing,
                .description = std::move(read.description)};
    return failed(std::move(read.description));
}

std::optional<std::string> writePlaylistFile(const std::filesystem::path& file,
                                             const std::vector<PlaylistEntry>& entries) {
    return text::replaceFile(file, formatPlaylist(entries), "playlist file");
}

}  // namespace varnok::player
