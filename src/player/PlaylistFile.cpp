#include "player/PlaylistFile.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "text/SystemPath.h"
#include "text/Text.h"

namespace varnok::player {

namespace {

PlaylistRead failed(std::string description) {
    return {.outcome = PlaylistRead::Outcome::Failed, .description = std::move(description)};
}

}  // namespace

std::optional<int> parseSongCount(std::string_view line) {
    const std::string digits = text::trimBlanks(line);
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
    const std::vector<std::string> lines = text::splitLines(text);
    if (lines.empty()) return failed("The playlist file is empty");
    const std::optional<int> count = parseSongCount(lines[0]);
    if (!count) return failed("The first line of the playlist is not a number of songs");
    PlaylistRead read{.outcome = PlaylistRead::Outcome::Read};
    for (int i = 0; i < *count; ++i) {
        const std::size_t pathLine = 1 + 2 * static_cast<std::size_t>(i);
        if (pathLine + 1 >= lines.size())
            return failed("The playlist file ends before its last song");
        read.entries.push_back({lines[pathLine], lines[pathLine + 1]});
    }
    return read;
}

PlaylistRead readPlaylistFile(const std::filesystem::path& file,
                              const std::function<PlaylistRead(std::string_view)>& parse) {
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return {.outcome = PlaylistRead::Outcome::Missing,
                .description = "File not found: " + text::fromPath(file)};
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size > kMostPlaylistFileBytes)
        return failed("The file " + text::fromPath(file) + " is too large for a playlist");
    std::ifstream in(file, std::ios::binary);
    if (!in || std::filesystem::is_directory(file, error))
        return failed("Cannot read the playlist file " + text::fromPath(file));
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return failed("Cannot read the playlist file " + text::fromPath(file));
    return parse(content);
}

std::optional<std::string> writePlaylistFile(const std::filesystem::path& file,
                                             const std::vector<PlaylistEntry>& entries) {
    const std::string cannot = "Cannot write the playlist file " + text::fromPath(file);
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return cannot;
        out << formatPlaylist(entries);
        out.close();
        if (out.fail()) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return cannot;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return cannot + ": " + error.message();
    }
    return std::nullopt;
}

}  // namespace varnok::player
