#pragma once
// The application started with the game running and the local player's name
// known, ready for a chat line of the local player to be handed to a command.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/Commands.h"
#include "fakes/AppFixture.h"

namespace varnok::fakes {

struct CommandFixture : ::testing::Test, AppFixture {
    static constexpr const char* kName = "Padawan";

    // The game answers "name" at start-up; one turn reads the answer.
    CommandFixture() {
        startUp();
        engine().turn();
        game.commands.clear();
    }

    // The turn's new text: the local player's chat line holding `message`.
    void typed(const std::string& message) {
        newText = std::string(kName) + ": " + message + "\r\n";
    }
    commands::CommandTurn turn() {
        return commands::CommandTurn(app->frmMain.commandContext, newText, kName);
    }

    // Songs in the playlist, by displayed name, with paths in a music folder.
    void addSongs(const std::vector<std::string>& names) {
        player::FrmPlay& player = app->frmPlay;
        for (const std::string& name : names) {
            player.lstPlay->addItem(name);
            player.mSongs.push_back("C:\\Music\\" + name);
        }
    }

    FakeGame game{desktop};
    std::string newText;
};

}  // namespace varnok::fakes
