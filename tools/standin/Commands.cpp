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
            print(nameLine(playerName_));
        } else if (words[1] != playerName_) {
            // The new name goes to the server, which tells everyone of the change.
            std::string oldName = playerName_;
            setPlayerName(words[1]);
            sendToServer("userinfo name " + words[1], renameLine(oldName, words[1]));
        }
    } else if (word == "say" || word == "say_team" || word == "tell") {
        if (!connected_) {
            print(unknownCommandLine(words[0]));
            return;
        }
        size_t first = word == "tell" ? 2 : 1;
        std::string text = joinWords(words, first).substr(0, kChatTextLimit);
        std::string reply;
        if (words.size() > first) {
            reply = word == "say"        ? chatLine(playerName_, text)
                    : word == "say_team" ? teamChatLine(playerName_, text)
                                         : privateChatLine(playerName_, text);
        }
        sendToServer(command, reply);
    } else if (connected_) {
        // Unknown here: the server gets it and answers that it knows it no more.
        sendToServer(command, unknownCommandLine(words[0]));
    } else {
        print(unknownCommandLine(words[0]));
    }
}

void StandIn::sendToServer(const std::string& command, const std::string& reply) {
    records_.stamp("sent " + command);
    server_.send(now(), {command, reply});
}

void StandIn::setPlayerName(const std::string& name) {
    playerName_ = name;
    if (game_) InvalidateRect(game_, nullptr, TRUE);
}

}  // namespace standin
