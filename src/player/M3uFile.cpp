#include "player/M3uFile.h"

#include <algorithm>
#include <optional>

#include "player/FolderScan.h"
#include "text/SystemPath.h"
#include "text/Text.h"

namespace varnok::player {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The scheme of a URL ("http" in "http://host/..."); empty for a path, whose
// "C:" is no scheme since a scheme has two letters or more.
std::string_view schemeOf(std::string_view entry) {
    const std::size_t colon = entry.find("://");
    if (colon == std::string_view::npos || colon < 2) return {};
    const std::string_view scheme = entry.substr(0, colon);
    return std::all_of(scheme.begin(), scheme.end(), isAsciiLetter) ? scheme : std::string_view{};
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecoded(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const int high = s[i] == '%' && i + 2 < s.size() ? hexValue(s[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(s[i + 2]) : -1;
        if (low < 0) {
            out += s[i];
            continue;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

// The path a file URL names: file:///C:/Music/a%20b.mp3 is C:/Music/a b.mp3,
// file://localhost/... the same, and file://server/share/... a network path.
std::string fileUrlPath(std::string_view url) {
    std::string_view rest = url.substr(std::string_view("file://").size());
    if (text::beginsWithNoCase(rest, "localhost/")) rest.remove_prefix(9);
    if (rest.starts_with('/')) return percentDecoded(rest.substr(1));
    return "//" + percentDecoded(rest);
}

// `entry` as a full Windows path with "\" separators: absolute ("C:\...",
// "\\server\...") as it is, rooted ("\Music\...") on the folder's drive,
// otherwise relative to the folder.
std::string fullPath(std::string entry, std::string_view folder) {
    std::replace(entry.begin(), entry.end(), '/', '\\');
    if (entry.starts_with("\\\\")) return entry;
    if (entry.size() >= 2 && isAsciiLetter(entry[0]) && entry[1] == ':') return entry;
    if (entry.starts_with('\\')) {
        const bool drive = folder.size() >= 2 && isAsciiLetter(folder[0]) && folder[1] == ':';
        return drive ? std::string(folder.substr(0, 2)) + entry : entry;
    }
    const bool separated = folder.ends_with('\\') || folder.ends_with('/');
    return std::string(folder) + (separated ? "" : "\\") + entry;
}

// No file name holds a character below the blank; a URL's %0A would otherwise
// carry a line break into the playlist and into a saved .lst file.
bool holdsControlCharacter(std::string_view song) {
    return std::any_of(song.begin(), song.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// The song a line names in the file's own text, or nothing for a comment, a
// blank line or a stream.
std::optional<std::string> songOf(std::string_view line) {
    line = text::trimBlanks(line, text::kBlanksAndTabs);
    if (line.empty() || line.starts_with('#')) return std::nullopt;
    const std::string_view scheme = schemeOf(line);
    if (scheme.empty()) return std::string(line);
    if (text::equalsNoCase(scheme, "file")) return fileUrlPath(line);
    return std::nullopt;
}

}  // namespace

PlaylistRead parseM3u(std::string_view content, std::string_view folder, M3uText text) {
    if (content.starts_with(kUtf8Mark)) {
        content.remove_prefix(kUtf8Mark.size());
        text = M3uText::Utf8;
    }
    PlaylistRead read{.outcome = PlaylistRead::Outcome::Read};
    // Players end the lines with CR LF, LF or CR alone.
    for (std::string_view line : text::splitLines(content, text::LineEnds::CrLfCrOrLf)) {
        if (read.entries.size() >= static_cast<std::size_t>(kMostSongs)) break;
        std::optional<std::string> song = songOf(line);
        if (song && text == M3uText::Utf8) song = text::fromUtf8(*song);
        if (!song || song->empty() || holdsControlCharacter(*song)) continue;
        const std::string path = fullPath(*song, folder);
        std::string name = fileNameOf(path);
        if (!name.empty()) read.entries.push_back({path, std::move(name)});
    }
    if (read.entries.empty())
        return {.outcome = PlaylistRead::Outcome::Failed,
                .description = "The playlist names no song file"};
    return read;
}

bool isM3uFile(const std::filesystem::path& file) {
    const std::string extension = text::fromPath(file.extension());
    return text::equalsNoCase(extension, ".m3u") || text::equalsNoCase(extension, ".m3u8");
}

PlaylistRead readM3uFile(const std::filesystem::path& file) {
    const M3uText encoding = text::equalsNoCase(text::fromPath(file.extension()), ".m3u8")
                                 ? M3uText::Utf8
                                 : M3uText::CodePage;
    const std::string folder = text::fromPath(file.parent_path());
    return readPlaylistFile(
        file, [&](std::string_view content) { return parseM3u(content, folder, encoding); });
}

}  // namespace varnok::player
