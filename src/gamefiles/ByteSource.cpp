#include "gamefiles/ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace varnok::gamefiles {

std::unique_ptr<FileBytes> FileBytes::open(const std::filesystem::path& file, std::string& why) {
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        why = errno != 0 ? std::error_code(errno, std::generic_category()).message()
                         : "it cannot be opened";
        return nullptr;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    if (!in || end < 0) {
        why = "its size cannot be read";
        return nullptr;
    }
    return std::unique_ptr<FileBytes>(
        new FileBytes(std::move(in), static_cast<std::uint64_t>(end)));
}

bool FileBytes::read(std::uint64_t offset, std::span<char> to) {
    if (offset > size_ || to.size() > size_ - offset) return false;
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(to.data(), static_cast<std::streamsize>(to.size()));
    const auto got = static_cast<std::uint64_t>(std::max<std::streamsize>(in_.gcount(), 0));
    bytesRead_ += got;
    return in_ && got == to.size();
}

}  // namespace varnok::gamefiles
