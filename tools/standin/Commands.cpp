// The console commands the stand-in game knows, run from the command buffer at
// the end of a frame.

#include <algorithm>
#include <cctype>

#include "GameText.h"
#include "StandIn.h"

namespace standin {

namespace {

std::string lowered(std::string word) {
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return word;
}

}  // namespace

void StandIn::execute(const std::string& command) {
    std::vector<std::string> words = tokenize(command);
    if (words.empty()) return;
    std::string word = lowered(words[0]);
    if (word == "echo") {
        // Each word is a print of its own, followed by a blank; the line end is one more.
        for (size_t i = 1; i < words.size(); ++i) print(words[i] + " ");
        print("\n");
    } else if (word == "clear") {
        // Empties the game's own (in-game) console; the console window keeps its pane.
    } else if (word == "quit") {
        quitting_ = true;
    } else if (word == "name") {
        if (words.size() == 1) {
            print(cvarAnswer("name", playerName_, kDefaultName));
        } else if (words[1] != playerName_) {
            // The new name goes to the server, which tells everyone of the change.
            std::string oldName = playerName_;
            setPlayerName(words[1]);
            if (connected_)
                sendToServer("userinfo name " + words[1], renameLine(phrases_, oldName, words[1]));
        }
    } else if (localCvar(words)) {
    } else if (!connected_) {
        // Without a server, what would go to it is a command nobody knows.
        print(unknownCommandLine(words[0]));
    } else if (word == "say" && isCommunity(options_.client)) {
        // The client rebuilds the line before it goes to the server; the
        // server keeps its blank at the end.
        std::string text = rebuiltSayText(words, 1);
        std::string reply;
        if (words.size() > 1) {
            reply = chatPrint(ChatKind::all, playerName_, chatText({text}, 0));
        }
        sendToServer("say " + text, reply);
    } else if (word == "say" || word == "say_team" || word == "tell") {
        sendChat(command, words);
    } else {
        // Unknown here: the server gets it and answers that it knows it no more.
        sendToServer(command, unknownCommandLine(words[0]));
    }
}

bool StandIn::localCvar(const std::vector<std::string>& words) {
    struct Cvar {
        const char* name;
        std::string* value;
        std::string defaultValue;
        bool writeProtected;
    };
    // The game's folders are fixed once it runs.
    std::vector<Cvar> cvars = {
        {"se_language", &language_, "english", false},
        {"fs_basepath", &options_.basePath, options_.basePath, true},
        {"fs_game", &options_.modFolder, "", true},
        {"fs_homepath", &options_.homePath, options_.homePath, true},
        {"logfile", &logfile_, "0", false},
    };
    for (auto& [name, value] : options_.cvars) cvars.push_back({name.c_str(), &value, "", false});
    std::string word = lowered(words[0]);
    for (const Cvar& cvar : cvars) {
        if (word != cvar.name) continue;
        if (words.size() == 1) {
            print(cvarAnswer(cvar.name, *cvar.value, cvar.defaultValue));
        } else if (cvar.writeProtected) {
            print(writeProtectedLine(cvar.name));
        } else {
            *cvar.value = words[1];
        }
        return true;
    }
    return false;
}

std::string StandIn::cvarAnswer(const std::string& cvar, const std::string& value,
                                const std::string& defaultValue) const {
    return isCommunity(options_.client) ? communityCvarLine(cvar, value, defaultValue)
                                        : cvarLine(cvar, value, defaultValue);
}

std::string StandIn::chatPrint(ChatKind kind, const std::string& name,
                               const std::string& text) const {
    return (isCommunity(options_.client) ? "*" : "") + chatLine(kind, name, text);
}

void StandIn::sendChat(const std::string& command, const std::vector<std::string>& words) {
    std::string word = lowered(words[0]);
    ChatKind kind = word == "say"        ? ChatKind::all
                    : word == "say_team" ? ChatKind::team
                                         : ChatKind::tell;
    size_t first = kind == ChatKind::tell ? 2 : 1;
    std::string reply;
    if (words.size() > first) reply = chatPrint(kind, playerName_, chatText(words, first));
    sendToServer(command, reply);
}

void StandIn::sendToServer(const std::string& command, const std::string& reply) {
    records_.stamp("sent " + command);
    server_.queue({command, reply});
}

void StandIn::setPlayerName(const std::string& name) {
    playerName_ = name;
    if (game_) InvalidateRect(game_, nullptr, TRUE);
}

}  // namespace standin
