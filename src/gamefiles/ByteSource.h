#pragma once
// Bytes read by position. An archive is read in the few pieces it takes (the
// end of its directory, the directory, one entry), never whole: from a file on
// disk with seeks (the tests and the fuzz targets read from memory instead:
// tests/common/MemoryBytes.h).

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>

namespace varnok::gamefiles {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Fills `to` with the bytes from `offset` on; false when they are not all
    // there or cannot be read.
    virtual bool read(std::uint64_t offset, std::span<char> to) = 0;
};

// A file on disk, open while the object lives.
class FileBytes final : public ByteSource {
  public:
    // Nothing when the file cannot be opened or measured; `why` then says why.
    static std::unique_ptr<FileBytes> open(const std::filesystem::path& file, std::string& why);
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, std::span<char> to) override;
    // Every byte read so far: what reading the archive cost.
    std::uint64_t bytesRead() const { return bytesRead_; }

  private:
    FileBytes(std::ifstream in, std::uint64_t size) : in_(std::move(in)), size_(size) {}
    std::ifstream in_;
    std::uint64_t size_;
    std::uint64_t bytesRead_ = 0;
};

}  // namespace varnok::gamefiles
