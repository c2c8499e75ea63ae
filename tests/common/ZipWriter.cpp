#include "common/ZipWriter.h"

#include <zlib.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace varnok::testsupport {

namespace {

std::string bytes16(std::uint16_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string bytes32(std::uint32_t value) {
    return bytes16(static_cast<std::uint16_t>(value & 0xFFFF)) +
           bytes16(static_cast<std::uint16_t>(value >> 16));
}

std::string deflated(std::string_view content) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        throw std::runtime_error("zlib cannot start deflating");
    std::string out(deflateBound(&stream, static_cast<uLong>(content.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END) throw std::runtime_error("zlib cannot deflate");
    return out;
}

// A fixed time and date (2003-09-01 12:00) and "version 2.0 needed".
const std::string kVersion = bytes16(20);
const std::string kTimeAndDate = bytes16(0x6000) + bytes16(0x2F21);

}  // namespace

void ZipWriter::write(std::string_view bytes) {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    written_ += bytes.size();
}

void ZipWriter::startEntry(const Record& record) {
    write(bytes32(0x04034b50) + kVersion + bytes16(0) + bytes16(record.method) + kTimeAndDate +
          bytes32(record.crc) + bytes32(record.compressedSize) + bytes32(record.size) +
          bytes16(static_cast<std::uint16_t>(record.name.size())) + bytes16(0) + record.name);
    records_.push_back(record);
    places_.push_back({.header = record.header, .data = written_});
}

void ZipWriter::add(const std::string& name, std::string_view content, ZipMethod method) {
    const std::string data =
        method == ZipMethod::Deflated ? deflated(content) : std::string(content);
    startEntry(
        {.name = name,
         .method = static_cast<std::uint16_t>(method == ZipMethod::Deflated ? 8 : 0),
         .crc = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(content.data()),
                                                 static_cast<uInt>(content.size()))),
         .compressedSize = static_cast<std::uint32_t>(data.size()),
         .size = static_cast<std::uint32_t>(content.size()),
         .header = static_cast<std::uint32_t>(written_)});
    places_.back().dataBytes = data.size();
    write(data);
}

void ZipWriter::addZeros(const std::string& name, std::uint32_t size) {
    const std::string zeros(1u << 20, '\0');
    uLong crc = crc32(0, nullptr, 0);
    for (std::uint32_t left = size; left > 0;) {
        const auto chunk = static_cast<uInt>(std::min<std::uint32_t>(left, zeros.size()));
        crc = crc32(crc, reinterpret_cast<const Bytef*>(zeros.data()), chunk);
        left -= chunk;
    }
    startEntry({.name = name,
                .method = 0,
                .crc = static_cast<std::uint32_t>(crc),
                .compressedSize = size,
                .size = size,
                .header = static_cast<std::uint32_t>(written_)});
    places_.back().dataBytes = size;
    out_.seekp(size, std::ios::cur);
    written_ += size;
}

void ZipWriter::finish(std::string_view comment) {
    const std::uint64_t directory = written_;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const Record& r = records_[i];
        places_[i].record = written_;
        write(bytes32(0x02014b50) + kVersion + kVersion + bytes16(0) + bytes16(r.method) +
              kTimeAndDate + bytes32(r.crc) + bytes32(r.compressedSize) + bytes32(r.size) +
              bytes16(static_cast<std::uint16_t>(r.name.size())) + bytes16(0) + bytes16(0) +
              bytes16(0) + bytes16(0) + bytes32(0) + bytes32(r.header) + r.name);
    }
    const auto count = static_cast<std::uint16_t>(records_.size());
    write(bytes32(0x06054b50) + bytes16(0) + bytes16(0) + bytes16(count) + bytes16(count) +
          bytes32(static_cast<std::uint32_t>(written_ - directory)) +
          bytes32(static_cast<std::uint32_t>(directory)) +
          bytes16(static_cast<std::uint16_t>(comment.size())) + std::string(comment));
}

std::string zipBytes(const std::vector<ZipFile>& files, std::string_view comment) {
    std::ostringstream out;
    ZipWriter writer(out);
    for (const ZipFile& file : files) writer.add(file.name, file.content, file.method);
    writer.finish(comment);
    return out.str();
}

void patch16(std::string& bytes, std::uint64_t at, std::uint16_t value) {
    bytes.replace(at, 2, bytes16(value));
}

void patch32(std::string& bytes, std::uint64_t at, std::uint32_t value) {
    bytes.replace(at, 4, bytes32(value));
}

}  // namespace varnok::testsupport
