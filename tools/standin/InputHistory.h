#pragma once
// The console input line's history of entered lines. The game keeps each in a
// 256-byte buffer, so a line of 256 characters or more overruns it; here the
// line is kept cut and the overrun is answered for the caller to record.

#include <cstddef>
#include <string>
#include <vector>

namespace standin {

inline constexpr std::size_t kHistoryLineBytes = 256;

class InputHistory {
  public:
    // Keeps `line`; false when it would overrun the game's buffer.
    bool add(const std::string& line);
    // The line before / after the one last recalled (empty past the newest).
    std::string older();
    std::string newer();

  private:
    static constexpr std::size_t kLines = 32;
    std::vector<std::string> lines_;
    std::size_t recalled_ = 0;
};

}  // namespace standin
