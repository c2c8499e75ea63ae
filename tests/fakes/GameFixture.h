#pragma once
// The application over in-memory adapters with the game running: helpers to
// run turns, print game lines and look at what Varnok typed and how long it
// paused since a mark.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "fakes/AppFixture.h"
#include "text/Text.h"

namespace varnok::fakes {

struct GameFixture : AppFixture {
    // The game's own name for the player; its console shows it without colour codes.
    FakeGame game{desktop, "Kyle"};
    const std::string player = "Kyle";

    GameFixture() {
        engine().watchLines([this](const std::string& line) {
            examined.push_back(line);
            if (onExamine) onExamine(line);
        });
    }

    bool turn() { return engine().turn(); }

    // The game's answer to "name" read in one turn, whether or not the game
    // runs what is typed.
    void knowName() {
        printNameAnswer();
        turn();
        mark();
    }
    void printNameAnswer() {
        game.print("\"name\" is:\"" + player + "^7\" default:\"Padawan^7\"\r\n");
    }
    // The line examined last as the recognisers were handed it (its end).
    std::string newText() const {
        return examined.empty() ? "" : text::lastChars(examined.back(), 200);
    }

    // Start-up and one turn that reads the player's name from the answer to
    // "name" (the game's own, or one printed for a game that runs nothing).
    void startKnowingName() {
        startUp();
        if (!game.runsCommands) printNameAnswer();
        turn();
        mark();
    }

    // What was typed and paused from here on.
    void mark() {
        commandMark = game.commands.size();
        pauseMark = clock.pauses.size();
    }
    std::vector<std::string> sent() const {
        return {game.commands.begin() + static_cast<std::ptrdiff_t>(commandMark),
                game.commands.end()};
    }
    std::vector<std::uint32_t> paused() const {
        return {clock.pauses.begin() + static_cast<std::ptrdiff_t>(pauseMark), clock.pauses.end()};
    }

    // Time passes: the last reply is long enough ago for the server to take
    // the next one at once.
    void later(std::uint64_t ms = 5000) { clock.elapsedMs += ms; }

    // Prints `line` and runs one turn over it, marking first.
    bool onLine(const std::string& line) {
        mark();
        game.print(line);
        return turn();
    }

    replies::ReplyMessages& messages() { return app->frmMain.messages; }
    FakeLabel& chatText() { return fake<FakeLabel>(app->frmMain.ChatText); }
    void setTemplates(const std::string& engage, const std::string& won, const std::string& lost) {
        app->frmMain.txtDuelEngage->setText(engage);
        app->frmMain.txtDuelWon->setText(won);
        app->frmMain.txtDuelLost->setText(lost);
    }

    std::vector<std::string> examined;                  // every line examined, in order
    std::function<void(const std::string&)> onExamine;  // called with each
    std::size_t commandMark = 0;
    std::size_t pauseMark = 0;
};

}  // namespace varnok::fakes
