#include "InputHistory.h"

namespace standin {

bool InputHistory::add(const std::string& line) {
    bool fits = line.size() < kHistoryLineBytes;
    lines_.push_back(fits ? line : line.substr(0, kHistoryLineBytes - 1));
    if (lines_.size() > kLines) lines_.erase(lines_.begin());
    recalled_ = lines_.size();
    return fits;
}

std::string InputHistory::older() {
    if (lines_.empty()) return "";
    if (recalled_ > 0) --recalled_;
    return lines_[recalled_];
}

std::string InputHistory::newer() {
    if (recalled_ < lines_.size()) ++recalled_;
    return recalled_ < lines_.size() ? lines_[recalled_] : "";
}

}  // namespace standin
