#pragma once
// The zip format's numbers: little-endian, read from a span of bytes the
// caller has checked is long enough.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varnok::gamefiles {

inline std::uint16_t read16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

inline std::uint32_t read32(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(read16(bytes, at)) |
           static_cast<std::uint32_t>(read16(bytes, at + 2)) << 16;
}

}  // namespace varnok::gamefiles
