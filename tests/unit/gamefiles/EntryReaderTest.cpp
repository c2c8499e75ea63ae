#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "common/MemoryBytes.h"
#include "common/ZipWriter.h"
#include "gamefiles/EntryReader.h"

using namespace varnok::gamefiles;
using namespace varnok::testsupport;

namespace {

constexpr std::uint32_t kLimit = 1u << 20;

const std::string kStored = "REFERENCE A\r\nLANG_ENGLISH \"stored\"\r\n";

// Bytes deflate cannot shrink: their data is read in several pieces.
std::string noise(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 1;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

const std::string kDeflated = noise(200 * 1024);

// A stored and a deflated entry, each as the archive's directory describes it.
struct Archive {
    std::string bytes;
    std::vector<ZipPlace> at;
    std::vector<ArchiveEntry> entries;
};

const Archive& archive() {
    static const Archive made = [] {
        std::ostringstream out;
        ZipWriter writer(out);
        writer.add("stored.str", kStored);
        writer.add("deflated.bin", kDeflated, ZipMethod::Deflated);
        writer.finish();
        Archive a{.bytes = out.str(), .at = writer.places()};
        MemoryBytes source(a.bytes);
        a.entries = readArchiveDirectory(source).entries;
        return a;
    }();
    return made;
}

EntryRead readFrom(const std::string& bytes, const ArchiveEntry& entry,
                   std::uint32_t limit = kLimit) {
    MemoryBytes source(bytes);
    return readEntry(source, entry, limit);
}

TEST(EntryReader, ReadsStoredAndDeflatedEntriesUpToTheLimit) {
    const Archive& a = archive();
    ASSERT_EQ(a.entries.size(), 2u);
    EXPECT_EQ(readFrom(a.bytes, a.entries[0]).data, kStored);
    EXPECT_TRUE(readFrom(a.bytes, a.entries[1]).data == kDeflated);
    EXPECT_EQ(readFrom(a.bytes, a.entries[0], kStored.size()).data, kStored);
    const EntryRead tooLarge = readFrom(a.bytes, a.entries[0], kStored.size() - 1);
    EXPECT_EQ(tooLarge.data, std::nullopt);
    EXPECT_EQ(tooLarge.problem, "it is too large");
}

// One entry of the archive damaged in its bytes or in what its record says.
struct Damage {
    const char* what;
    std::size_t entry;
    std::function<void(std::string& bytes, ArchiveEntry& entry, const ZipPlace& at)> apply;
    const char* problem;
};

TEST(EntryReader, SaysWhatIsDamaged) {
    const Damage damages[] = {
        {"a bad local header", 0, [](auto& b, auto&, auto& at) { patch32(b, at.header, 0); },
         "its local header is damaged"},
        {"local header lengths past the end", 1,
         [](auto& b, auto&, auto& at) { patch16(b, at.header + 28, 0xFFFF); },
         "its data lies outside the archive"},
        {"a compressed size past the end", 0,
         [](auto& b, auto& e, auto&) { e.compressedSize = static_cast<std::uint32_t>(b.size()); },
         "its data lies outside the archive"},
        {"stored sizes that disagree", 0, [](auto&, auto& e, auto&) { e.size = 5; },
         "its stored sizes disagree"},
        {"a bad CRC", 0, [](auto& b, auto&, auto& at) { b[at.data + 2] ^= 1; },
         "its CRC-32 does not match its data"},
        {"an unknown method", 0, [](auto&, auto& e, auto&) { e.method = 6; },
         "it is compressed in a way the game does not read"},
        {"a deflate stream that fails", 1,
         [](auto& b, auto&, auto& at) { b.replace(at.data, 4, "\xFF\xFF\xFF\xFF"); },
         "its compressed data is damaged"},
        {"deflated data cut short", 1, [](auto&, auto& e, auto&) { e.compressedSize = 10; },
         "its compressed data ends early"},
        {"a size too small for what it inflates to", 1, [](auto&, auto& e, auto&) { e.size = 100; },
         "it holds more than its size"},
        {"a size too large for what it inflates to", 1, [](auto&, auto& e, auto&) { ++e.size; },
         "it holds less than its size"},
    };
    for (const Damage& damage : damages) {
        std::string bytes = archive().bytes;
        ArchiveEntry entry = archive().entries[damage.entry];
        damage.apply(bytes, entry, archive().at[damage.entry]);
        const EntryRead got = readFrom(bytes, entry);
        EXPECT_FALSE(got.data.has_value()) << damage.what;
        EXPECT_EQ(got.problem, damage.problem) << damage.what;
    }
}

}  // namespace
