#include "console/LogFile.h"

#include <algorithm>

namespace varnok::console {

bool LogFile::open() {
    if (in_.is_open()) return true;
    in_.open(path_, std::ios::binary);
    return in_.is_open();
}

std::optional<std::uint64_t> LogFile::size() {
    if (!open()) return std::nullopt;
    in_.clear();
    in_.seekg(0, std::ios::end);
    const std::streamoff end = in_.tellg();
    if (!in_ || end < 0) {
        in_.close();  // opened anew next time
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(end);
}

// The seek drops what the stream had buffered, so the read sees what the
// writer added since.
std::optional<LogFile::Read> LogFile::readNew() {
    const std::optional<std::uint64_t> end = size();
    if (!end) return std::nullopt;
    Read read;
    if (*end < offset_) {
        read.emptied = true;
        offset_ = 0;
    }
    const std::uint64_t count = std::min(*end - offset_, kMostBytesARead);
    if (count == 0) return read;
    read.bytes.resize(static_cast<std::size_t>(count));
    in_.seekg(static_cast<std::streamoff>(offset_));
    in_.read(read.bytes.data(), static_cast<std::streamsize>(count));
    read.bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in_.gcount(), 0)));
    offset_ += read.bytes.size();
    return read;
}

std::optional<std::string> LogFile::readTail(std::uint64_t most) {
    const std::optional<std::uint64_t> end = size();
    if (!end) return std::nullopt;
    offset_ = *end - std::min(*end, most);
    std::optional<Read> read = readNew();
    if (!read) return std::nullopt;
    return std::move(read->bytes);
}

}  // namespace varnok::console
