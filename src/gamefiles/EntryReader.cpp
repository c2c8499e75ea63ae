#include "gamefiles/EntryReader.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

#include "gamefiles/LittleEndian.h"

namespace varnok::gamefiles {

namespace {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::size_t kLocalHeaderBytes = 30;
constexpr std::size_t kInputPiece = 64 * 1024;

EntryRead failed(std::string problem) {
    return {.problem = std::move(problem)};
}

// Inflates the raw deflate stream of `compressedSize` bytes at `at` into
// exactly `out.size()` bytes; the problem, when it does not give exactly those.
std::string inflateInto(ByteSource& archive, std::uint64_t at, std::uint32_t compressedSize,
                        std::string& out) {
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return "zlib cannot start inflating";
    std::vector<char> input(
        std::min<std::size_t>(std::max<std::uint32_t>(compressedSize, 1), kInputPiece));
    std::uint32_t inputLeft = compressedSize;
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    // A byte past the expected size: anything inflated into it means the
    // entry holds more than its directory says.
    Bytef spare[1];
    bool spareGiven = false;
    std::string problem;
    for (int status = Z_OK; status != Z_STREAM_END;) {
        if (stream.avail_in == 0) {
            if (inputLeft == 0) {
                problem = "its compressed data ends early";
                break;
            }
            const auto piece =
                static_cast<std::uint32_t>(std::min<std::size_t>(inputLeft, input.size()));
            if (!archive.read(at, std::span<char>(input.data(), piece))) {
                problem = "its compressed data cannot be read";
                break;
            }
            at += piece;
            inputLeft -= piece;
            stream.next_in = reinterpret_cast<Bytef*>(input.data());
            stream.avail_in = piece;
        }
        if (stream.avail_out == 0 && !spareGiven) {
            stream.next_out = spare;
            stream.avail_out = sizeof spare;
            spareGiven = true;
        }
        status = inflate(&stream, Z_NO_FLUSH);
        if (spareGiven && stream.avail_out < sizeof spare) {
            problem = "it holds more than its size";
            break;
        }
        // Short of input zlib answers Z_BUF_ERROR, and more is read; with input
        // and room left it always gets on, so anything else is damage.
        const bool needsInput = status == Z_BUF_ERROR && stream.avail_in == 0;
        if (status != Z_OK && status != Z_STREAM_END && !needsInput) {
            problem = "its compressed data is damaged";
            break;
        }
    }
    if (problem.empty() && stream.total_out != out.size()) problem = "it holds less than its size";
    inflateEnd(&stream);
    return problem;
}

}  // namespace

EntryRead readEntry(ByteSource& archive, const ArchiveEntry& entry, std::uint32_t mostBytes) {
    if (entry.size > mostBytes) return failed("it is too large");
    std::string header(kLocalHeaderBytes, '\0');
    if (!archive.read(entry.headerOffset, header) || read32(header, 0) != kLocalSignature)
        return failed("its local header is damaged");
    const std::uint64_t dataAt = std::uint64_t{entry.headerOffset} + kLocalHeaderBytes +
                                 read16(header, 26) + read16(header, 28);
    if (dataAt > archive.size() || archive.size() - dataAt < entry.compressedSize)
        return failed("its data lies outside the archive");

    std::string data(entry.size, '\0');
    if (entry.method == 0) {
        if (entry.compressedSize != entry.size) return failed("its stored sizes disagree");
        if (!archive.read(dataAt, data)) return failed("its data cannot be read");
    } else if (entry.method == 8) {
        std::string problem = inflateInto(archive, dataAt, entry.compressedSize, data);
        if (!problem.empty()) return failed(std::move(problem));
    } else {
        return failed("it is compressed in a way the game does not read");
    }
    if (crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())) !=
        entry.crc)
        return failed("its CRC-32 does not match its data");
    return {.data = std::move(data)};
}

}  // namespace varnok::gamefiles
