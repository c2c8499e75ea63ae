#pragma once
// Zip archives made by the tests, laid out as the game's .pk3 archives are:
// local headers with their data (stored, or raw deflate through zlib), then the
// central directory and its end record, with an optional comment. The writer
// notes where each part went, so that a test can damage an archive on purpose.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace varnok::testsupport {

enum class ZipMethod { Stored, Deflated };

struct ZipFile {
    std::string name;
    std::string content;
    ZipMethod method = ZipMethod::Stored;
};

// Where an entry's parts lie in the archive, from its first byte.
struct ZipPlace {
    std::uint64_t header = 0;     // its local header
    std::uint64_t data = 0;       // its stored or deflated data
    std::uint64_t dataBytes = 0;  // the data's length
    std::uint64_t record = 0;     // its central directory record
};

class ZipWriter {
  public:
    explicit ZipWriter(std::ostream& out) : out_(out) {}

    void add(const std::string& name, std::string_view content,
             ZipMethod method = ZipMethod::Stored);
    // A stored entry of `size` zero bytes that are skipped rather than
    // written: on a file the gap stays a hole, so that a test makes an archive
    // larger than it could hold in memory in no time. File streams only.
    void addZeros(const std::string& name, std::uint32_t size);
    // Writes the central directory and the end record; nothing may be added after.
    void finish(std::string_view comment = {});

    // One place an entry, in the order added; the records' once finished.
    const std::vector<ZipPlace>& places() const { return places_; }

  private:
    struct Record {
        std::string name;
        std::uint16_t method;
        std::uint32_t crc;
        std::uint32_t compressedSize;
        std::uint32_t size;
        std::uint32_t header;
    };
    void write(std::string_view bytes);
    // The entry's local header; its data follows.
    void startEntry(const Record& record);

    std::ostream& out_;
    std::uint64_t written_ = 0;
    std::vector<Record> records_;
    std::vector<ZipPlace> places_;
};

// A whole archive in memory.
std::string zipBytes(const std::vector<ZipFile>& files, std::string_view comment = {});

// Writes `value` into `bytes` at `at`, little-endian: a field of a record.
void patch16(std::string& bytes, std::uint64_t at, std::uint16_t value);
void patch32(std::string& bytes, std::uint64_t at, std::uint32_t value);

}  // namespace varnok::testsupport
