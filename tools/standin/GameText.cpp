#include "GameText.h"

#include <algorithm>
#include <cctype>

#include "CommandBuffer.h"

namespace standin {

namespace {

struct PhraseToken {
    const char* name;
    const char* english;
};
constexpr PhraseToken kPhraseTokens[Phrases::tokenCount] = {
    {"PLENTER", "entered the game"},
    {"PLRENAME", "renamed to"},
    {"PLDUELACCEPT", "has become engaged in a duel with"},
    {"TIMELIMIT_HIT", "Timelimit hit"},
    {"HIT_THE_KILL_LIMIT", "hit the kill limit"},
    {"KILLED_SABER", "was sabered by"},
    {"KILLED_HIMSELF", "killed himself."},
    {"KILLED_HERSELF", "killed herself."},
};

std::string upper(std::string word) {
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return word;
}

}  // namespace

std::string cvarLine(const std::string& cvar, const std::string& value,
                     const std::string& defaultValue) {
    return "\"" + cvar + "\" is:\"" + value + "^7\" default:\"" + defaultValue + "^7\"\n";
}

std::string communityCvarLine(const std::string& cvar, const std::string& value,
                              const std::string& defaultValue) {
    return "^9Cvar ^7" + cvar + " = ^9\"^7" + value + "^9\"^7, ^7default = ^9\"^7" + defaultValue +
           "^9\"^7\n";
}

std::string rebuiltSayText(const std::vector<std::string>& words, std::size_t first) {
    static const std::pair<std::string, std::string> kTokens[] = {{"%H%", "100"}};
    std::string text;
    for (std::size_t i = first; i < words.size(); ++i) {
        std::string word = words[i];
        for (const auto& [token, value] : kTokens)
            for (std::size_t at = word.find(token); at != std::string::npos;
                 at = word.find(token, at + value.size()))
                word.replace(at, token.size(), value);
        text += word + " ";
    }
    return text;
}

std::string writeProtectedLine(const std::string& cvar) {
    return cvar + " is write protected.\n";
}

std::string chatText(const std::vector<std::string>& words, std::size_t first) {
    std::string text = joinWords(words, first);
    std::replace(text.begin(), text.end(), '%', '.');
    return text;
}

std::string chatLine(ChatKind kind, const std::string& name, const std::string& text) {
    std::string line = kind == ChatKind::all    ? name + "^7: ^2" + text
                       : kind == ChatKind::team ? "(" + name + "^7): ^5" + text
                                                : "[" + name + "^7]: ^6" + text;
    return line.substr(0, kLongestChatLine) + "\n";
}

std::string unknownCommandLine(const std::string& word) {
    return "Unknown command \"" + word + "^7\"\n";
}

Phrases::Phrases() {
    for (int token = 0; token < tokenCount; ++token) texts_[token] = kPhraseTokens[token].english;
}

bool Phrases::set(const std::string& token, const std::string& text) {
    for (int i = 0; i < tokenCount; ++i) {
        if (upper(token) != kPhraseTokens[i].name) continue;
        texts_[i] = text;
        return true;
    }
    return false;
}

std::string enterLine(const Phrases& phrases, const std::string& name) {
    return name + "^7 " + phrases[Phrases::playerEntered] + "\n";
}

std::string renameLine(const Phrases& phrases, const std::string& oldName,
                       const std::string& newName) {
    return oldName + "^7 " + phrases[Phrases::playerRenamed] + " " + newName + "\n";
}

std::string duelLine(const Phrases& phrases, const std::string& first, const std::string& second) {
    return first + "^7 " + phrases[Phrases::duelAccepted] + " " + second + "^7!\n";
}

std::string timeLimitLine(const Phrases& phrases) {
    return phrases[Phrases::timeLimitHit] + ".\n";
}

std::string killLimitLine(const Phrases& phrases, const std::string& name) {
    return name + " " + phrases[Phrases::killLimitHit] + ".\n";
}

std::string winLimitLine(const std::string& name) {
    return name + " hit the win limit.\n";
}

std::vector<std::string> obituaryParts(const Phrases& phrases, const std::string& victim,
                                       const std::string& attacker, bool herself) {
    if (attacker.empty()) {
        Phrases::Token self = herself ? Phrases::killedHerself : Phrases::killedHimself;
        return {victim + "^7", " " + phrases[self] + "\n"};
    }
    return {victim + "^7", " " + phrases[Phrases::killedBySaber] + " " + attacker + "^7", "\n"};
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
