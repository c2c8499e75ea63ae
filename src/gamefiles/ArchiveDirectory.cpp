#include "gamefiles/ArchiveDirectory.h"

#include <algorithm>
#include <optional>

#include "gamefiles/LittleEndian.h"
#include "text/Text.h"

namespace varnok::gamefiles {

namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kEntrySignature = 0x02014b50;
constexpr std::size_t kEndBytes = 22;
constexpr std::size_t kMostCommentBytes = 0xFFFF;
constexpr std::size_t kEntryBytes = 46;
constexpr std::uint64_t kLocalHeaderBytes = 30;
constexpr std::uint32_t kZip64Marker = 0xFFFFFFFF;

struct DirectoryPlace {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    std::uint16_t count = 0;
};

struct EndRecord {
    std::optional<DirectoryPlace> place;
    std::string problem;  // when there is no place
};

// The end record: the one whose comment ends the archive, or failing that
// (bytes appended after the archive) the last one whose directory lies before
// it. A comment may hold the signature's bytes, so a record that does not fit
// is passed over.
EndRecord findEndRecord(ByteSource& archive) {
    const std::uint64_t size = archive.size();
    if (size < kEndBytes) return {.problem = "too short for a zip archive"};
    const std::size_t tailBytes =
        static_cast<std::size_t>(std::min<std::uint64_t>(size, kEndBytes + kMostCommentBytes));
    const std::uint64_t tailAt = size - tailBytes;
    std::string tail(tailBytes, '\0');
    if (!archive.read(tailAt, tail)) return {.problem = "its end cannot be read"};
    std::optional<DirectoryPlace> fitting;
    bool zip64 = false;
    bool outside = false;
    for (std::size_t at = tailBytes - kEndBytes + 1; at-- > 0;) {
        if (read32(tail, at) != kEndSignature) continue;
        const DirectoryPlace place{.offset = read32(tail, at + 16),
                                   .size = read32(tail, at + 12),
                                   .count = read16(tail, at + 10)};
        if (place.offset == kZip64Marker || place.size == kZip64Marker) {
            zip64 = true;
            continue;
        }
        if (std::uint64_t{place.offset} + place.size > tailAt + at) {
            outside = true;
            continue;
        }
        if (at + kEndBytes + read16(tail, at + 20) == tailBytes) return {.place = place};
        if (!fitting) fitting = place;
    }
    if (fitting) return {.place = fitting};
    if (zip64) return {.problem = "a ZIP64 archive, which the game does not read"};
    if (outside) return {.problem = "its central directory lies outside the archive"};
    return {.problem = "no end of central directory record (not a zip archive)"};
}

}  // namespace

ArchiveDirectory readArchiveDirectory(ByteSource& archive) {
    ArchiveDirectory directory;
    const EndRecord end = findEndRecord(archive);
    if (!end.place) {
        directory.problems.push_back(end.problem);
        return directory;
    }
    const DirectoryPlace place = *end.place;
    if (place.size > kMostDirectoryBytes) {
        directory.problems.push_back("its central directory is too large");
        return directory;
    }
    std::string bytes(place.size, '\0');
    if (!archive.read(place.offset, bytes)) {
        directory.problems.push_back("its central directory cannot be read");
        return directory;
    }

    std::size_t outside = 0;
    std::string firstOutside;
    std::size_t at = 0;
    for (std::size_t index = 0; index < place.count; ++index) {
        if (bytes.size() - at < kEntryBytes || read32(bytes, at) != kEntrySignature) {
            directory.problems.push_back("its central directory is damaged after " +
                                         std::to_string(index) + " of its " +
                                         std::to_string(place.count) + " entries");
            break;
        }
        const std::size_t nameBytes = read16(bytes, at + 28);
        const std::size_t variableBytes =
            nameBytes + read16(bytes, at + 30) + read16(bytes, at + 32);
        if (bytes.size() - at - kEntryBytes < variableBytes) {
            directory.problems.push_back("its central directory ends inside entry " +
                                         std::to_string(index + 1) + " of its " +
                                         std::to_string(place.count));
            break;
        }
        ArchiveEntry entry{.name = bytes.substr(at + kEntryBytes, nameBytes),
                           .method = read16(bytes, at + 10),
                           .crc = read32(bytes, at + 16),
                           .compressedSize = read32(bytes, at + 20),
                           .size = read32(bytes, at + 24),
                           .headerOffset = read32(bytes, at + 42)};
        const bool encrypted = (read16(bytes, at + 8) & 1) != 0;
        at += kEntryBytes + variableBytes;

        const bool zip64 = entry.compressedSize == kZip64Marker || entry.size == kZip64Marker ||
                           entry.headerOffset == kZip64Marker;
        if (encrypted || zip64 || (entry.method != 0 && entry.method != 8)) continue;
        // The local header holds at least the name again; the data follows it,
        // before the directory.
        if (std::uint64_t{entry.headerOffset} + kLocalHeaderBytes + nameBytes +
                entry.compressedSize >
            place.offset) {
            if (outside++ == 0) firstOutside = entry.name;
            continue;
        }
        directory.entries.push_back(std::move(entry));
    }
    if (outside > 0)
        directory.problems.push_back(
            outside == 1
                ? "an entry lies outside the archive and is left out: \"" + firstOutside + "\""
                : std::to_string(outside) +
                      " entries lie outside the archive and are left out, the first \"" +
                      firstOutside + "\"");
    return directory;
}

std::string entryKey(std::string_view name) {
    std::string key = text::lowerCaseAscii(name);
    std::replace(key.begin(), key.end(), '\\', '/');
    return key;
}

}  // namespace varnok::gamefiles
