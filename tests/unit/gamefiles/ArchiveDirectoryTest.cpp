#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "common/MemoryBytes.h"
#include "common/ZipWriter.h"
#include "gamefiles/ArchiveDirectory.h"
#include "gamefiles/EntryReader.h"

using namespace varnok::gamefiles;
using namespace varnok::testsupport;

namespace {

constexpr std::uint32_t kLimit = 8u << 20;

std::string phrases(std::size_t lines) {
    std::string text;
    for (std::size_t i = 0; i < lines; ++i)
        text += "REFERENCE LINE" + std::to_string(i) + "\r\nLANG_ENGLISH \"phrase\"\r\n";
    return text;
}

using Contents = std::vector<std::pair<std::string, std::string>>;

// Each entry's name and a short form of its content, which a failure can show.
std::string summary(const std::string& content) {
    return std::to_string(content.size()) + " bytes, hash " +
           std::to_string(std::hash<std::string>{}(content));
}

// Every entry of `bytes` read, by name; a problem stands in for data.
Contents readAll(const std::string& bytes) {
    MemoryBytes archive(bytes);
    const ArchiveDirectory directory = readArchiveDirectory(archive);
    EXPECT_EQ(directory.problems, std::vector<std::string>{});
    Contents read;
    for (const ArchiveEntry& entry : directory.entries) {
        EntryRead data = readEntry(archive, entry, kLimit);
        read.emplace_back(entry.name, data.data ? summary(*data.data) : "problem: " + data.problem);
    }
    return read;
}

TEST(ArchiveDirectory, ReadsStoredAndDeflatedEntriesWhereverTheyLie) {
    const std::string big(3u << 20, 'x');
    const std::vector<ZipFile> files{
        {"strings/english/mp_svgame.str", phrases(3)},
        {"strings/German/MP_SVGAME.STR", phrases(200), ZipMethod::Deflated},
        {"empty.str", "", ZipMethod::Deflated},
        {"maps/big.bsp", big},
        {"strings\\german\\mp_ingame.str", "after the large one", ZipMethod::Deflated}};
    Contents expected;
    for (const ZipFile& file : files) expected.emplace_back(file.name, summary(file.content));

    EXPECT_EQ(readAll(zipBytes(files)), expected);
    // A comment may hold what looks like an end record.
    EXPECT_EQ(readAll(zipBytes(files, std::string("PK\x05\x06", 4) + std::string(30, '\0'))),
              expected);
    EXPECT_TRUE(readAll(zipBytes({})).empty());
    EXPECT_EQ(entryKey("Strings\\German\\MP_SVGAME.STR"), "strings/german/mp_svgame.str");
}

TEST(ArchiveDirectory, PassesOverEntriesTheGameNeverWrites) {
    std::ostringstream out;
    ZipWriter writer(out);
    for (const char* name : {"encrypted", "imploded", "zip64", "kept"}) writer.add(name, "text");
    writer.finish();
    std::string bytes = out.str();
    const std::vector<ZipPlace>& at = writer.places();
    patch16(bytes, at[0].record + 8, 1);            // the encryption flag
    patch16(bytes, at[1].record + 10, 6);           // another method
    patch32(bytes, at[2].record + 24, 0xFFFFFFFF);  // a size kept in a ZIP64 field
    EXPECT_EQ(readAll(bytes), (Contents{{"kept", summary("text")}}));
}

// One archive of three entries, its directory damaged in one way (an entry's
// own damage is EntryReaderTest's).
struct Damage {
    const char* what;
    std::function<void(std::string& bytes, const std::vector<ZipPlace>& at)> apply;
};

TEST(ArchiveDirectory, DescribesEveryKindOfDamage) {
    const Damage damages[] = {
        {"cut short", [](std::string& b, auto&) { b.resize(b.size() - 30); }},
        {"not an archive", [](std::string& b, auto&) { b.assign(4000, 'P'); }},
        {"a directory beyond its end", [](std::string& b, auto& at) { b.erase(at[0].data, 40); }},
        {"more entries counted than written",
         [](std::string& b, auto&) { patch16(b, b.size() - 12, 4); }},
        {"a damaged record",
         [](std::string& b, auto& at) { patch32(b, at[2].record, 0x12345678); }},
        {"a compressed size past the directory",
         [](std::string& b, auto& at) { patch32(b, at[1].record + 20, 1u << 20); }},
    };
    for (const Damage& damage : damages) {
        std::ostringstream out;
        ZipWriter writer(out);
        writer.add("a.str", phrases(10));
        writer.add("b.str", phrases(400), ZipMethod::Deflated);
        writer.add("c.str", "last");
        writer.finish();
        std::string bytes = out.str();
        damage.apply(bytes, writer.places());

        MemoryBytes archive(bytes);
        const ArchiveDirectory directory = readArchiveDirectory(archive);
        std::size_t noticed = directory.problems.size();
        for (const ArchiveEntry& entry : directory.entries) {
            const EntryRead read = readEntry(archive, entry, kLimit);
            EXPECT_EQ(read.data.has_value(), read.problem.empty()) << damage.what;
            if (!read.data) ++noticed;
        }
        EXPECT_GE(noticed, 1u) << damage.what << " goes unnoticed";
    }
}

}  // namespace
