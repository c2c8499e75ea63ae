#pragma once
// The directory of a zip archive (a .pk3): its end of central directory record,
// found by searching back over a trailing comment, and the central directory's
// entries. Only these are read, whatever the archive's size. Every size and
// count is bounded by the archive itself; an entry whose data would lie outside
// the archive, or in its directory, is left out as damaged. Entries the game's
// archives never hold (ZIP64, encrypted, a method other than stored or
// deflated) are left out without a word.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gamefiles/ByteSource.h"

namespace varnok::gamefiles {

struct ArchiveEntry {
    std::string name;          // as the archive writes it
    std::uint16_t method = 0;  // 0 stored, 8 deflated
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t size = 0;
    std::uint32_t headerOffset = 0;  // where its local header begins
};

struct ArchiveDirectory {
    // The entries that can be read, in the directory's order.
    std::vector<ArchiveEntry> entries;
    // What was wrong: the directory as a whole (then `entries` is empty), a
    // damaged entry that ended the walk (the entries before it are kept), or
    // entries left out. Empty for a sound archive.
    std::vector<std::string> problems;
};

// The most directory bytes read: the game's largest archives hold some tens
// of thousands of entries, well within it.
constexpr std::uint32_t kMostDirectoryBytes = 64u << 20;

ArchiveDirectory readArchiveDirectory(ByteSource& archive);

// A name as the game searches archives: ASCII letter case ignored and '\' read
// as '/'. Two names are the same file when their keys are equal.
std::string entryKey(std::string_view name);

}  // namespace varnok::gamefiles
