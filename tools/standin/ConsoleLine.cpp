#include "ConsoleLine.h"

namespace standin {

const char* editingKeyName(WORD virtualKey) {
    switch (virtualKey) {
        case VK_UP:
            return "UP";
        case VK_DOWN:
            return "DOWN";
        case VK_LEFT:
            return "LEFT";
        case VK_RIGHT:
            return "RIGHT";
        case VK_HOME:
            return "HOME";
        case VK_END:
            return "END";
        case VK_TAB:
            return "TAB";
        case VK_BACK:
            return "BACK";
        default:
            return "";
    }
}

ConsoleLine::Outcome ConsoleLine::press(WORD virtualKey, char character) {
    switch (virtualKey) {
        case VK_RETURN:
            return Outcome::enter;
        case VK_UP:
        case VK_DOWN:
            line_ = virtualKey == VK_UP ? history_.older() : history_.newer();
            cursor_ = line_.size();
            return Outcome::editing;
        case VK_LEFT:
            if (cursor_ > 0) --cursor_;
            return Outcome::editing;
        case VK_RIGHT:
            if (cursor_ < line_.size()) ++cursor_;
            return Outcome::editing;
        case VK_HOME:
            cursor_ = 0;
            return Outcome::editing;
        case VK_END:
            cursor_ = line_.size();
            return Outcome::editing;
        case VK_TAB:
            // Command completion, which the stand-in does not know: the line stays.
            return Outcome::editing;
        case VK_BACK:
            if (cursor_ > 0) line_.erase(--cursor_, 1);
            return Outcome::editing;
    }
    if (character == 0) return Outcome::ignored;
    if (line_.size() >= kLongestConsoleLine) return Outcome::dropped;
    line_.insert(cursor_++, 1, character);
    return Outcome::typed;
}

std::string ConsoleLine::take() {
    std::string line;
    line.swap(line_);
    cursor_ = 0;
    history_.add(line);
    return line;
}

}  // namespace standin
