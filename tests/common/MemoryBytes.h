#pragma once
// An archive held in memory, read by position as the program reads one on
// disk: the tests and the fuzz targets give the archive readers their bytes
// this way.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

#include "gamefiles/ByteSource.h"

namespace varnok::testsupport {

// Bytes the caller keeps alive.
class MemoryBytes final : public gamefiles::ByteSource {
  public:
    explicit MemoryBytes(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool read(std::uint64_t offset, std::span<char> to) override {
        if (offset > bytes_.size() || to.size() > bytes_.size() - offset) return false;
        std::copy_n(bytes_.data() + offset, to.size(), to.data());
        return true;
    }

  private:
    std::string_view bytes_;
};

}  // namespace varnok::testsupport
