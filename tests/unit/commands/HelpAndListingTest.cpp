#include <gtest/gtest.h>

#include "CommandFixture.h"
#include "fakes/SplitRule.h"

using namespace varnok;
using namespace varnok::fakes;
using Lines = std::vector<std::string>;

namespace {

const Lines kHelp = {
    "echo !commands ---> Displays all the available commands with description",
    "echo !now ---> Displays the system date and time",
    "echo !load <filename> ---> Loads the file that has the replies",
    "echo !playlist <filename> --> Loads the playlist file",
    "echo !replyOff ---> turns off the program",
    "echo !replyon ---> turns the program on",
    "echo !listsongs ---> Lists all the songs in playlist",
    "echo !play <part of song name> ---> Will play the song you typed (alone will bring out of "
    "pause",
    "echo !pause ---> Pauses the current song. type !play to start it again",
    "echo !stop ---> Stops the playback of the current song",
    "echo !next ---> Goes to the next song in the playlist",
    "echo !prev ---> Goes to the previous song in the playlist",
    "echo !vol <#> ---> To change the volume. 0 is the lowest, and 20 is the loudest",
    "echo !mini ---> minimizes the game instantly",
};

using Printing = CommandFixture;

TEST_F(Printing, CommandsSendsTheFourteenHelpLinesWithoutPauses) {
    typed("!commands");
    commands::commandsCommand(turn());
    EXPECT_EQ(game.commands, kHelp);
    EXPECT_TRUE(clock.pauses.empty());
}

Lines typedListing(const std::vector<std::string>& names) {
    Lines typed;
    for (const console::CommandLine& line : commands::listingLines(names))
        typed.push_back(line.text());
    return typed;
}

// The names come from playlists and folders: one that holds '"' would close
// the listing's quoted span and let a ";" after it end the command.
TEST(Listing, FourNamesALineWithAllColourMarkersEachLineOneCommand) {
    EXPECT_EQ(typedListing({}), Lines{});
    EXPECT_EQ(typedListing({"a.mp3", "b.mp3", "c.wav", "d.wma"}),
              Lines{"echo ^1\"a.mp3          ^2b.mp3          ^3c.wav          ^4d.wma\""});
    EXPECT_EQ(typedListing({"a", "b", "c", "d", "e"}),
              (Lines{"echo ^1\"a          ^2b          ^3c          ^4d\"",
                     "echo ^1\"e          ^2          ^3          ^4\""}));
    const Lines hostile = typedListing({"Intro\" ;disconnect ;\"", "x;quit \"//", "/", "/x"});
    EXPECT_EQ(hostile, Lines{"echo ^1\"Intro' ,disconnect ,'          ^2x,quit '/ /          ^3/   "
                             "       ^4/x\""});
    for (const std::string& line : hostile) EXPECT_TRUE(fakes::isOneCommand(line)) << line;
}

TEST_F(Printing, ListSongsClearsTheConsoleThenListsThePlaylist) {
    typed("!listsongs");
    commands::listSongsCommand(turn());
    EXPECT_EQ(game.commands, Lines{"/clear"});

    game.commands.clear();
    addSongs({"one.mp3", "two.mp3", "three.mp3", "four.mp3", "five.mp3"});
    commands::listSongsCommand(turn());
    EXPECT_EQ(
        game.commands,
        (Lines{"/clear",
               "echo ^1\"one.mp3          ^2two.mp3          ^3three.mp3          ^4four.mp3\"",
               "echo ^1\"five.mp3          ^2          ^3          ^4\""}));
    EXPECT_TRUE(clock.pauses.empty());
}

TEST(DateTime, ShortDateBlankLongTime) {
    std::tm at{};
    at.tm_year = 2024 - 1900;
    at.tm_mon = 2;
    at.tm_mday = 5;
    at.tm_hour = 14;
    at.tm_min = 7;
    at.tm_sec = 9;
    EXPECT_EQ(commands::dateTimeText(at), "2024-03-05 14:07:09");
}

TEST_F(Printing, NowSaysTheClocksLocalTimeAfterASecond) {
    clock.start = std::chrono::system_clock::from_time_t(1700000000);
    typed("!now");
    commands::nowCommand(turn());
    EXPECT_EQ(clock.pauses, std::vector<std::uint32_t>{1000});
    // The clock has moved on by the pause when the time is read.
    const std::time_t at = 1700000001;
    std::tm local{};
    localtime_r(&at, &local);
    EXPECT_EQ(game.commands, Lines{"say ^4 It is currently: ^1" + commands::dateTimeText(local)});
}

TEST_F(Printing, MiniHidesTheGameAndBringsTheMainWindowForward) {
    typed("!mini");
    ASSERT_TRUE(desktop.window(game.gameWindow()).visible);
    commands::miniCommand(turn());
    EXPECT_FALSE(desktop.window(game.gameWindow()).visible);
    EXPECT_EQ(mainWindow().states,
              (std::vector<ui::WindowState>{ui::WindowState::Maximized, ui::WindowState::Normal}));
    EXPECT_EQ(mainWindow().focusCount, 1);
    EXPECT_TRUE(desktop.repositions.empty());
    EXPECT_EQ(clock.pauses, (std::vector<std::uint32_t>{600, 1000}));
    EXPECT_EQ(game.commands, Lines{"say ^1Minimized"});

    // "Back to Game" shows it again.
    game.commands.clear();
    backButton().click();
    EXPECT_TRUE(desktop.window(game.gameWindow()).visible);
    EXPECT_EQ(game.commands, Lines{"say ^1Maximized"});
}

TEST_F(Printing, MiniWithoutTheGameWindowStillAnswers) {
    desktop.remove(game.gameWindow());
    typed("!mini");
    commands::miniCommand(turn());
    EXPECT_EQ(game.commands, Lines{"say ^1Minimized"});
}

}  // namespace
