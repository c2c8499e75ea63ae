#pragma once
// A file another program keeps writing, read by what it got since the last
// read: the game's log. It stays open between reads, shared with the writer;
// a file that got shorter was emptied (the game empties its log when it opens
// it) and is read from its start again.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace varnok::console {

class LogFile {
  public:
    // The most bytes one read takes; the rest waits for the next.
    static constexpr std::uint64_t kMostBytesARead = 1u << 20;

    explicit LogFile(std::filesystem::path path) : path_(std::move(path)) {}

    struct Read {
        std::string bytes;     // what the file got since the last read
        bool emptied = false;  // it got shorter: read again from its start
    };
    // Nothing when the file cannot be opened or read.
    std::optional<Read> readNew();
    // The file's whole text up to `most` bytes from its end, and its size;
    // what is read next follows it. Nothing when it cannot be read.
    std::optional<std::string> readTail(std::uint64_t most);

  private:
    bool open();
    std::optional<std::uint64_t> size();

    std::filesystem::path path_;
    std::ifstream in_;
    std::uint64_t offset_ = 0;
};

}  // namespace varnok::console
