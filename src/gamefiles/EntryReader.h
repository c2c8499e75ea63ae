#pragma once
// One entry of a zip archive read whole: its local header (whose name and
// extra field may differ in length from the directory's), then its data,
// stored or raw deflate, up to a size limit and checked against its CRC-32.

#include <cstdint>
#include <optional>
#include <string>

#include "gamefiles/ArchiveDirectory.h"
#include "gamefiles/ByteSource.h"

namespace varnok::gamefiles {

struct EntryRead {
    std::optional<std::string> data;  // the entry's bytes, when they could be read
    std::string problem;              // why they could not; empty when read
};

// `mostBytes` bounds what is read and held: a larger entry is refused unread.
EntryRead readEntry(ByteSource& archive, const ArchiveEntry& entry, std::uint32_t mostBytes);

}  // namespace varnok::gamefiles
