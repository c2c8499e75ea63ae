#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CommandFixture.h"
#include "fakes/SplitRule.h"
#include "replies/ReplyFileStore.h"

using namespace varnok;
using namespace varnok::fakes;
using Lines = std::vector<std::string>;

namespace {

const std::string kReplyFile =
    "Varnok -{ZUL}- $pellow$\r\nengaged %d\r\nwon\r\nlost\r\nhi %d\r\n 1 \r\nD\r\n 0 \r\nN\r\n 0 "
    "\r\nT\r\n 0 \r\n 1 \r\n 1 \r\n";

// 0.9 s held in single precision lies just below 0.9: the pause lasts 899 ms.
const std::vector<std::uint32_t> kAfterLoad{899};

struct FileCommands : CommandFixture {
    void save(const std::filesystem::path& file, const std::string& content) {
        std::ofstream(file, std::ios::binary) << content;
    }
};

TEST_F(FileCommands, LoadReadsTheReplyFileAndSaysSo) {
    save(app->savesFolder() / "duels.vnk", kReplyFile);
    typed("!load duels");
    commands::loadCommand(turn());
    EXPECT_EQ(app->frmMain.txtDuelEngage->text(), "engaged %d");
    EXPECT_EQ(app->frmMain.messages.Greet, "hi %d");
    EXPECT_EQ(clock.pauses, kAfterLoad);
    EXPECT_EQ(game.commands, Lines{"say ^7duels ^1loaded successfully"});
}

// The reply file a player's package ships to start from, as the build made it.
TEST_F(FileCommands, LoadReadsThePackagedExampleAsAWholeSet) {
    std::filesystem::copy_file(VARNOK_EXAMPLE_REPLY_FILE, app->savesFolder() / "example.vnk");
    typed("!load example");
    commands::loadCommand(turn());
    EXPECT_EQ(game.commands, Lines{"say ^7example ^1loaded successfully"});
    EXPECT_EQ(app->frmMain.txtDuelEngage->text(), "^7%s ^1versus ^7%d^1: may the Force decide!");
    EXPECT_EQ(app->frmMain.messages.limit, "^3GG all^7, see you next map.");
    EXPECT_EQ(app->frmMain.messages.Limiten, 1);
}

// A file too large to be a reply file is refused by its size before it is
// read, as quietly as a missing one.
TEST_F(FileCommands, LoadOfAMissingOrOversizedFileAnswersWithTheErrorAndNoBox) {
    typed("!load nothere");
    commands::loadCommand(turn());
    EXPECT_EQ(clock.pauses, kAfterLoad);
    EXPECT_EQ(game.commands, Lines{"say ^1Error opening file ^7nothere"});
    EXPECT_TRUE(toolkit.fakeDialogs().boxes.empty());

    save(app->savesFolder() / "huge.vnk",
         kReplyFile + std::string(replies::kMostReplyFileBytes, ' ') + "\r\n");
    game.commands.clear();
    typed("!load huge");
    commands::loadCommand(turn());
    EXPECT_EQ(game.commands, Lines{"say ^1Error opening file ^7huge"});
    EXPECT_EQ(app->frmMain.txtDuelEngage->text(), "");
    EXPECT_TRUE(toolkit.fakeDialogs().boxes.empty());
}

TEST_F(FileCommands, LoadWithAWrongHeaderShowsTheBoxAndAnswersWithTheError) {
    save(app->savesFolder() / "old.vnk", "Varnok\r\n");
    typed("!LOAD old");
    commands::loadCommand(turn());
    ASSERT_EQ(toolkit.fakeDialogs().boxes.size(), 1u);
    EXPECT_EQ(game.commands, Lines{"say ^1Error opening file ^7old"});
}

TEST_F(FileCommands, LoadRefusesANameThatLeavesTheSavesFolder) {
    // A valid reply file one folder up must not be reachable from the chat.
    save(folder.path() / "outside.vnk", kReplyFile);
    for (const char* name : {"../outside", "..\\outside", "C:outside"}) {
        game.commands.clear();
        typed(std::string("!load ") + name);
        commands::loadCommand(turn());
        EXPECT_EQ(game.commands, Lines{"say ^1Error opening file ^7" + std::string(name)});
    }
    EXPECT_EQ(app->frmMain.txtDuelEngage->text(), "");
}

// The name typed in the chat is echoed in the answer, harmless: it never ends
// the "say" and runs a command of its own.
TEST_F(FileCommands, TheEchoedNameStaysOneCommand) {
    const std::string hostile = "x;quit \"//";
    typed("!load " + hostile);
    commands::loadCommand(turn());
    typed("!playlist a;disconnect");
    commands::playlistCommand(turn());
    save(app->savesFolder() / "a;b\".vnk", kReplyFile);
    typed("!load a;b\"");
    commands::loadCommand(turn());
    EXPECT_EQ(game.commands, (Lines{"say ^1Error opening file ^7x,quit '/ /",
                                    "say ^1Error opening playlist ^7a,disconnect",
                                    "say ^7a,b' ^1loaded successfully"}));
    for (const std::string& line : game.commands) EXPECT_TRUE(isOneCommand(line)) << line;
}

TEST_F(FileCommands, LoadWithNothingAfterTheWordTakesTheEmptyName) {
    save(app->savesFolder() / ".vnk", kReplyFile);
    typed("!load");
    commands::loadCommand(turn());
    EXPECT_EQ(game.commands, Lines{"say ^7 ^1loaded successfully"});
    EXPECT_EQ(app->frmMain.txtDuelWon->text(), "won");
}

TEST_F(FileCommands, PlaylistLoadsThePlaylistFileAndSaysSo) {
    save(app->savesFolder() / "rock.lst",
         " 2 \r\nC:\\Music\\a.mp3\r\nFirst\r\nC:\\Music\\b.mp3\r\nSecond\r\n");
    addSongs({"replaced.mp3"});
    typed("!PLAYLIST rock");
    commands::playlistCommand(turn());
    EXPECT_EQ(app->frmPlay.mSongs, (Lines{"C:\\Music\\a.mp3", "C:\\Music\\b.mp3"}));
    EXPECT_EQ(app->frmPlay.lstPlay->count(), 2);
    EXPECT_EQ(app->frmPlay.lstPlay->item(1), "Second");
    EXPECT_EQ(clock.pauses, kAfterLoad);
    EXPECT_EQ(game.commands, Lines{"say ^7 rock ^1loaded successfully"});
}

TEST_F(FileCommands, PlaylistOfAMissingFileOrOutsideTheSavesFolderAnswersWithTheError) {
    addSongs({"kept.mp3"});
    typed("!playlist nothere");
    commands::playlistCommand(turn());
    EXPECT_EQ(game.commands, Lines{"say ^1Error opening playlist ^7nothere"});
    EXPECT_TRUE(toolkit.fakeDialogs().boxes.empty());
    game.commands.clear();
    clock.pauses.clear();
    clock.elapsedMs += 5000;
    typed("!playlist ../../etc/list");
    commands::playlistCommand(turn());
    EXPECT_EQ(clock.pauses, kAfterLoad);
    EXPECT_EQ(game.commands, Lines{"say ^1Error opening playlist ^7../../etc/list"});
    EXPECT_EQ(app->frmPlay.lstPlay->count(), 1);
}

}  // namespace
