#include "console/ChatEcho.h"

#include <vector>

#include "text/Text.h"

namespace varnok::console {

namespace {

// Room for the colour codes of the speaker's name, which the line as sent
// holds and the pane does not show.
constexpr std::size_t kNameCodeRoom = 32;
// "^7: ^2" between the name and the text of a chat line as sent.
constexpr std::size_t kChatPrefixBytes = 6;

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool commentAt(std::string_view s, std::size_t i) {
    return s.compare(i, 2, "//") == 0;
}

// The first command of a typed line: the game's command buffer ends it at a
// ";" outside quotes.
std::string_view firstCommand(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ';' && !quoted) return line.substr(0, i);
    }
    return line;
}

// The words of a command as the game's tokenizer takes them apart.
std::vector<std::string> tokens(std::string_view command) {
    std::vector<std::string> words;
    std::size_t i = 0;
    for (;;) {
        while (i < command.size() && isBlank(command[i])) ++i;
        if (i >= command.size() || commentAt(command, i)) return words;
        std::string word;
        if (command[i] == '"') {
            const std::size_t close = command.find('"', i + 1);
            word = command.substr(i + 1, close == std::string_view::npos ? close : close - i - 1);
            words.push_back(std::move(word));
            if (close == std::string_view::npos) return words;
            i = close + 1;
            continue;
        }
        while (i < command.size() && !isBlank(command[i]) && command[i] != '"' &&
               !commentAt(command, i))
            word += command[i++];
        words.push_back(std::move(word));
    }
}

// A community client rebuilds a say word by word before it goes out: a blank
// after each word, and tokens such as %H% replaced by their values. Its echo
// is the same words, and a word that held a '%' (shown as '.' by the retail
// server) may come back as whatever the client put in its place.
bool sameWords(std::string_view shown, std::string_view expected) {
    const std::vector<std::string> got = tokens(shown);
    const std::vector<std::string> want = tokens(expected);
    if (got.size() != want.size() || got.empty()) return false;
    for (std::size_t i = 0; i < got.size(); ++i)
        if (got[i] != want[i] && want[i].find('.') == std::string::npos) return false;
    return true;
}

}  // namespace

bool goesToServer(std::string_view typedLine) {
    const std::vector<std::string> words = tokens(firstCommand(typedLine));
    if (words.empty()) return false;
    std::string_view word = words.front();
    if (!word.empty() && (word.front() == '/' || word.front() == '\\')) word.remove_prefix(1);
    return text::equalsNoCase(word, "say") || text::equalsNoCase(word, "say_team") ||
           text::equalsNoCase(word, "tell");
}

std::string chatTextSent(std::string_view typedLine) {
    const std::vector<std::string> words = tokens(firstCommand(typedLine));
    if (words.empty() || !text::equalsNoCase(words.front(), "say")) return {};
    std::string sent;
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (i > 1) sent += ' ';
        sent += words[i];
    }
    for (char& c : sent)
        if (c == '%') c = '.';
    return sent;
}

bool isEchoOf(std::string_view shown, std::string_view sent, std::string_view speaker) {
    const std::string expected = text::stripColourCodes(sent);
    if (shown == expected || sameWords(shown, expected)) return true;
    if (shown.empty() || !text::beginsWith(expected, shown)) return false;
    return speaker.size() + kNameCodeRoom + kChatPrefixBytes + sent.size() > kChatLineBytes;
}

}  // namespace varnok::console
