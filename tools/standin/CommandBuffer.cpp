#include "CommandBuffer.h"

namespace standin {

std::vector<std::string> CommandBuffer::takeCommands() {
    std::vector<std::string> commands;
    std::size_t start = 0;
    while (start < text_.size()) {
        bool quoted = false;
        std::size_t end = start;
        for (; end < text_.size(); ++end) {
            char c = text_[end];
            if (c == '"') quoted = !quoted;
            if ((c == ';' && !quoted) || c == '\n' || c == '\r') break;
        }
        if (end - start > kLongestCommand) {
            // Cut: the rest goes on as the next command.
            commands.push_back(text_.substr(start, kLongestCommand));
            start += kLongestCommand;
            continue;
        }
        std::string command = text_.substr(start, end - start);
        if (!command.empty()) commands.push_back(command);
        start = end + 1;
    }
    text_.clear();
    return commands;
}

std::vector<std::string> tokenize(const std::string& command) {
    std::vector<std::string> words;
    std::size_t i = 0;
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (i < command.size()) {
        while (i < command.size() && blank(command[i])) ++i;
        if (i >= command.size() || command.compare(i, 2, "//") == 0) break;
        std::string word;
        if (command[i] == '"') {
            std::size_t close = command.find('"', i + 1);
            word = command.substr(i + 1,
                                  close == std::string::npos ? std::string::npos : close - i - 1);
            i = close == std::string::npos ? command.size() : close + 1;
        } else {
            while (i < command.size() && !blank(command[i]) && command[i] != '"' &&
                   command.compare(i, 2, "//") != 0)
                word += command[i++];
        }
        words.push_back(word);
    }
    return words;
}

std::string joinWords(const std::vector<std::string>& words, std::size_t first) {
    std::string joined;
    for (std::size_t i = first; i < words.size(); ++i) {
        if (i > first) joined += ' ';
        joined += words[i];
    }
    return joined;
}

}  // namespace standin
