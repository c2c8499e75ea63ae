#include "GameText.h"

#include <algorithm>
#include <cctype>

namespace standin {

std::string nameLine(const std::string& name) {
    return "\"name\" is:\"" + name + "^7\" default:\"" + kDefaultName + "^7\"\n";
}

std::string chatLine(const std::string& name, const std::string& text) {
    return name + "^7: " + text + "\n";
}

std::string teamChatLine(const std::string& name, const std::string& text) {
    return "(" + name + "^7): " + text + "\n";
}

std::string privateChatLine(const std::string& name, const std::string& text) {
    return "[" + name + "^7]: " + text + "\n";
}

std::string renameLine(const std::string& oldName, const std::string& newName) {
    return oldName + "^7 renamed to " + newName + "\n";
}

std::string enterLine(const std::string& name) {
    return name + "^7 entered the game\n";
}

std::string unknownCommandLine(const std::string& word) {
    return "Unknown command \"" + word + "^7\"\n";
}

std::string decodeEscapes(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            char next = text[i + 1];
            char decoded = next == 'r' ? '\r' : next == 'n' ? '\n' : next == 't' ? '\t' : next;
            if (next == 'r' || next == 'n' || next == 't' || next == '\\') {
                out += decoded;
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::pair<std::string, std::string> splitCommand(const std::string& line) {
    size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos) return {"", ""};
    size_t blank = line.find(' ', start);
    std::string verb =
        line.substr(start, blank == std::string::npos ? std::string::npos : blank - start);
    std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
    std::transform(verb.begin(), verb.end(), verb.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return {verb, rest};
}

std::string fillerText(long count) {
    std::string out;
    if (count <= 0) return out;
    out.reserve(count);
    const std::string line = std::string(62, '.') + "\r\n";
    while (static_cast<long>(out.size() + line.size()) <= count) out += line;
    out.append(count - out.size(), '.');
    return out;
}

}  // namespace standin
