// The archive directory and entry readers over arbitrary bytes: every entry
// found lies within the input, before its directory, and is stored or
// deflated; an entry read gives exactly its size in bytes, within the limit
// and matching its CRC-32, or a problem, never both; a refused directory says why.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/MemoryBytes.h"
#include "fuzz/Check.h"
#include "gamefiles/ArchiveDirectory.h"
#include "gamefiles/EntryReader.h"

using namespace varnok::gamefiles;
using varnok::fuzz::check;
using varnok::testsupport::MemoryBytes;

namespace {

constexpr std::uint32_t kLimit = 1u << 20;
constexpr std::size_t kMostEntriesRead = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryBytes archive(std::string_view(reinterpret_cast<const char*>(data), size));
    const ArchiveDirectory directory = readArchiveDirectory(archive);
    for (const std::string& problem : directory.problems)
        check(!problem.empty(), "a problem says what it is");
    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        const ArchiveEntry& entry = directory.entries[i];
        check(entry.method == 0 || entry.method == 8, "an entry is stored or deflated");
        check(std::uint64_t{entry.headerOffset} + 30 + entry.name.size() + entry.compressedSize <=
                  size,
              "an entry lies within the input");
        if (i >= kMostEntriesRead) continue;
        const EntryRead read = readEntry(archive, entry, kLimit);
        check(read.data.has_value() != !read.problem.empty(), "an entry gives data or a problem");
        if (!read.data) continue;
        check(read.data->size() == entry.size && entry.size <= kLimit,
              "an entry read holds its size, within the limit");
        check(crc32(0, reinterpret_cast<const Bytef*>(read.data->data()),
                    static_cast<uInt>(read.data->size())) == entry.crc,
              "an entry read matches its CRC-32");
    }
    return 0;
}
