#include "PaneText.h"

namespace standin {

std::string toPaneText(const std::string& printed) {
    std::string message = printed.substr(0, printed.find('\0'));
    if (message.size() > kLongestPrint) message = message.substr(message.size() - kLongestPrint);
    std::string out;
    out.reserve(message.size() + message.size() / 8);
    for (std::size_t i = 0; i < message.size(); ++i) {
        char c = message[i];
        char next = i + 1 < message.size() ? message[i + 1] : '\0';
        if (c == '\n' && next == '\r') {
            out += "\r\n";
            ++i;
        } else if (c == '\n' || c == '\r') {
            out += "\r\n";
        } else if (c == '^' && next >= '0' && next <= '7') {
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

bool PrintCount::add(unsigned long length) {
    total_ += length;
    if (total_ <= kResetCount) return false;
    total_ = length;
    return true;
}

}  // namespace standin
