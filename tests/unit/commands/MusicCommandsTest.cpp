#include <gtest/gtest.h>

#include "CommandFixture.h"
#include "fakes/SplitRule.h"

using namespace varnok;
using namespace varnok::fakes;
using Lines = std::vector<std::string>;
using Pauses = std::vector<std::uint32_t>;

namespace {

struct MusicCommands : CommandFixture {
    MusicCommands() {
        addSongs({"Alpha.mp3", "Beta Song.mp3", "gamma.wav"});
        for (const std::string& path : app->frmPlay.mSongs) media.playable[path] = 200.0;
    }
    player::FrmPlay& player() { return app->frmPlay; }
    FakeCheckBox& sayPlaying() { return fake<FakeCheckBox>(app->frmPlay.Check1); }
    FakeSlider& volume() { return fake<FakeSlider>(app->frmPlay.sldVol); }

    // Starts entry `index` the way the playlist does, then forgets what that sent.
    void startSong(int index) {
        player().lstPlay->setListIndex(index);
        player().playlist(static_cast<std::int16_t>(index));
        settle();
        ASSERT_TRUE(player().mPlaying);
        forget();
    }
    // Forgets what was typed and paused so far; time passes, so that the
    // server takes the next say at once.
    void forget() {
        game.commands.clear();
        clock.pauses.clear();
        clock.elapsedMs += 5000;
        media.log.calls.clear();
    }
    // Runs the command, then the yields after it, where a song it started
    // opens and is said.
    void run(void (*command)(const commands::CommandTurn&), const std::string& message) {
        typed(message);
        command(turn());
        settle();
    }
    void press(ui::MediaKey key) {
        toolkit.pressMediaKey(key);
        settle();
    }
};

TEST_F(MusicCommands, StopStopsAPlayingSongAndSaysSoAndWithNothingLoadedSendsNothing) {
    run(commands::stopCommand, "!stop");
    EXPECT_TRUE(game.commands.empty());
    EXPECT_TRUE(clock.pauses.empty());
    startSong(0);
    run(commands::stopCommand, "!stop");
    EXPECT_FALSE(player().mPlaying);
    EXPECT_EQ(clock.pauses, Pauses{1000});
    EXPECT_EQ(game.commands, Lines{"say ^1Playback Stopped"});
}

TEST_F(MusicCommands, PausePausesOnlyARunningSong) {
    run(commands::pauseCommand, "!pause");
    EXPECT_TRUE(game.commands.empty());

    startSong(1);
    run(commands::pauseCommand, "!pause");
    EXPECT_TRUE(player().PauseBb);
    EXPECT_EQ(media.current->state, FakeGraph::State::Paused);
    EXPECT_EQ(clock.pauses, Pauses{1000});
    EXPECT_EQ(game.commands, Lines{"say ^1Playback Paused"});

    forget();
    run(commands::pauseCommand, "!pause");
    EXPECT_TRUE(game.commands.empty());
    EXPECT_TRUE(clock.pauses.empty());
}

TEST_F(MusicCommands, PlayAloneResumesAPausedSongAndOtherwiseSendsNothing) {
    run(commands::playCommand, "!play");
    EXPECT_FALSE(player().mPlaying);
    startSong(1);
    run(commands::playCommand, "!PLAY");
    EXPECT_TRUE(game.commands.empty());
    EXPECT_TRUE(clock.pauses.empty());
    EXPECT_EQ(media.log.calls, Lines{});

    player().Pause();
    forget();
    run(commands::playCommand, "!play");
    EXPECT_FALSE(player().PauseBb);
    EXPECT_TRUE(player().mPlaying);
    EXPECT_EQ(media.current->state, FakeGraph::State::Running);
    EXPECT_EQ(clock.pauses, Pauses{1000});
    EXPECT_EQ(game.commands, Lines{"say ^1Playback Resumed"});
}

TEST_F(MusicCommands, PlaySearchPlaysTheFirstNameHoldingTheTextAndAnnouncesIt) {
    startSong(0);
    run(commands::playCommand, "!play SONG");
    EXPECT_EQ(player().lstPlay->listIndex(), 1);
    EXPECT_EQ(media.current->file, "C:\\Music\\Beta Song.mp3");
    EXPECT_TRUE(player().mPlaying);
    EXPECT_EQ(clock.pauses, Pauses{1000});
    EXPECT_EQ(game.commands, Lines{"say ^4Currently playing: ^3Beta Song.mp3"});
}

TEST_F(MusicCommands, PlaySearchStaysQuietWhenTheSongIsNotToBeSaid) {
    sayPlaying().setValue(0);
    run(commands::playCommand, "!play gamma");
    EXPECT_EQ(media.current->file, "C:\\Music\\gamma.wav");
    EXPECT_TRUE(game.commands.empty());

    sayPlaying().setValue(2);  // greyed counts as ticked
    run(commands::playCommand, "!play alpha");
    EXPECT_EQ(game.commands, Lines{"say ^4Currently playing: ^3Alpha.mp3"});
}

TEST_F(MusicCommands, PlaySearchWithoutAMatchSaysSoEveryTime) {
    run(commands::playCommand, "!play beta");
    forget();
    run(commands::playCommand, "!play zzz");
    EXPECT_EQ(clock.pauses, Pauses{1000});
    EXPECT_EQ(game.commands, Lines{"say ^5No matches for zzz"});
    run(commands::playCommand, "!play zzz");
    EXPECT_EQ(game.commands, (Lines{"say ^5No matches for zzz", "say ^5No matches for zzz"}));
}

// A search that finds a song which cannot be played: the skip moves on to the
// next song and echoes it, and the chat hears of that song, now selected; when
// nothing could start, nothing is said about playing.
TEST_F(MusicCommands, PlaySearchAnnouncesAndSelectsTheSongThatActuallyStarted) {
    player().cmdClear_Click();
    addSongs({"Alpha.mp3", "gone.mp3", "Beta Song.mp3"});
    run(commands::playCommand, "!play gone");
    EXPECT_EQ(media.current->file, "C:\\Music\\Beta Song.mp3");
    EXPECT_EQ(player().lstPlay->listIndex(), 2);
    EXPECT_EQ(game.commands, (Lines{"echo ^1Currently Playing: ^4Beta Song.mp3",
                                    "say ^4Currently playing: ^3Beta Song.mp3"}));

    player().cmdClear_Click();
    addSongs({"gone.mp3"});
    forget();
    run(commands::playCommand, "!play gone");
    EXPECT_FALSE(player().mPlaying);
    EXPECT_EQ(game.commands, Lines{});
}

// The search text starts a fixed distance after "!play": a letter right after
// it is dropped, and a blank alone matches the first entry, if there is one.
TEST_F(MusicCommands, PlayFollowedDirectlyByLettersOrByABlankAlone) {
    run(commands::playCommand, "!playXeta");  // searches for "eta"
    EXPECT_EQ(player().lstPlay->listIndex(), 1);
    EXPECT_EQ(game.commands, Lines{"say ^4Currently playing: ^3Beta Song.mp3"});
    forget();
    run(commands::playCommand, "!play ");
    EXPECT_EQ(player().lstPlay->listIndex(), 0);
    EXPECT_EQ(game.commands, Lines{"say ^4Currently playing: ^3Alpha.mp3"});
    forget();
    player().cmdClear_Click();
    run(commands::playCommand, "!play ");
    EXPECT_EQ(game.commands, Lines{"say ^5No matches for "});
}

TEST_F(MusicCommands, NextPlaysTheFollowingSongAndAnnouncesIt) {
    startSong(2);
    run(commands::nextCommand, "!next");
    EXPECT_EQ(player().lstPlay->listIndex(), 0);
    EXPECT_EQ(media.current->file, "C:\\Music\\Alpha.mp3");
    EXPECT_EQ(clock.pauses, Pauses{1000});
    EXPECT_EQ(game.commands, (Lines{"echo ^1Currently Playing: ^4Alpha.mp3",
                                    "say ^4Currently playing: ^3Alpha.mp3"}));
}

// The song opens during the command's pause and after it: it is said once it
// plays, not before; a stop while it opens gives it up and says so; with
// nothing to start the empty name is said after the pause.
TEST_F(MusicCommands, NextSaysTheSongOnceItPlaysAndAStopWhileItOpensGivesItUp) {
    media.holdAnswers = true;
    run(commands::nextCommand, "!next");
    EXPECT_EQ(clock.pauses, Pauses{1000});
    EXPECT_TRUE(game.commands.empty());
    media.releaseAnswers();
    settle();
    EXPECT_EQ(game.commands, (Lines{"echo ^1Currently Playing: ^4Beta Song.mp3",
                                    "say ^4Currently playing: ^3Beta Song.mp3"}));

    forget();
    media.holdAnswers = true;
    run(commands::nextCommand, "!next");
    run(commands::stopCommand, "!stop");
    media.releaseAnswers();
    settle();
    EXPECT_FALSE(player().mPlaying);
    EXPECT_EQ(game.commands, Lines{"say ^1Playback Stopped"});

    forget();
    player().cmdClear_Click();
    run(commands::nextCommand, "!next");
    EXPECT_EQ(clock.pauses, Pauses{1000});
    EXPECT_EQ(game.commands, Lines{"say ^4Currently playing: ^3"});
}

TEST_F(MusicCommands, PrevPlaysThePreviousSongAndAnnouncesItOnlyWhenTicked) {
    startSong(0);
    run(commands::prevCommand, "!prev");
    EXPECT_EQ(player().lstPlay->listIndex(), 2);
    EXPECT_EQ(game.commands, Lines{"say ^4Currently playing: ^3gamma.wav"});

    forget();
    sayPlaying().setValue(0);
    run(commands::prevCommand, "!prev");
    EXPECT_EQ(player().lstPlay->listIndex(), 1);
    EXPECT_EQ(clock.pauses, Pauses{1000});
    EXPECT_TRUE(game.commands.empty());
}

TEST_F(MusicCommands, VolTakesANumberFrom0To20AndIgnoresLettersAndNumbersOutside) {
    startSong(0);
    run(commands::volCommand, "!vol 12");
    EXPECT_EQ(volume().value(), 8);
    EXPECT_EQ(media.current->volume, -1000);
    run(commands::volCommand, "!VOL 20.9");
    EXPECT_EQ(volume().value(), 0);
    for (const char* message : {"!vol loud", "!vol 25", "!vol -1", "!vol", "!vol 99999"}) {
        run(commands::volCommand, message);
        EXPECT_EQ(volume().value(), 0) << message;
    }
    EXPECT_TRUE(game.commands.empty());
    EXPECT_TRUE(clock.pauses.empty());
}

// Song names and the search text come from outside Varnok: a ";", a '"' or a
// "//" in them never ends the command, opens a quoted span or starts a comment,
// on every line that carries them.
TEST_F(MusicCommands, NamesAndSearchesFromOutsideStayOneCommand) {
    const std::string hostile = "x;quit \"//";
    player().cmdClear_Click();
    addSongs({hostile + "1.mp3", hostile + "2.mp3"});
    for (const std::string& path : app->frmPlay.mSongs) media.playable[path] = 200.0;
    run(commands::nextCommand, "!next");
    run(commands::prevCommand, "!prev");
    run(commands::playCommand, "!play " + hostile + "2");
    run(commands::playCommand, "!play z" + hostile);
    press(ui::MediaKey::NextTrack);
    player().mStop();
    press(ui::MediaKey::PlayPause);
    EXPECT_EQ(game.commands.size(), 9u);
    for (const std::string& line : game.commands) EXPECT_TRUE(isOneCommand(line)) << line;
    EXPECT_EQ(game.commands[0], "echo ^1Currently Playing: ^4x,quit '/ /2.mp3");
    EXPECT_EQ(game.commands[4], "say ^5No matches for zx,quit '/ /");
}

// The game's server drops a "say" that follows the previous one within a
// second; media keys pressed at once keep their says further apart than that.
TEST_F(MusicCommands, MediaKeysPressedAtOnceKeepTheirSaysASecondAndMoreApart) {
    press(ui::MediaKey::NextTrack);
    press(ui::MediaKey::NextTrack);
    press(ui::MediaKey::Stop);
    EXPECT_EQ(clock.pauses, (Pauses{1000, 1000, 200, 1000, 200}));
    EXPECT_EQ(
        game.commands,
        (Lines{"echo ^1Currently Playing: ^4Beta Song.mp3",
               "say ^4Currently playing: ^3Beta Song.mp3", "echo ^1Currently Playing: ^4gamma.wav",
               "say ^4Currently playing: ^3gamma.wav", "say ^1Playback Stopped"}));
    forget();
    clock.elapsedMs += 5000;
    press(ui::MediaKey::PlayPause);
    EXPECT_EQ(clock.pauses, Pauses{1000});
}

// Play/Pause while stopped starts the selection, or the first entry when none
// is selected, announced as "!next" announces; the menu item gives the keys
// back to the system and takes them again.
TEST_F(MusicCommands, MediaKeysPlayPauseStartsTheSelectionAndTheMenuItemTogglesTheKeys) {
    EXPECT_TRUE(toolkit.mediaKeysTaken);
    EXPECT_TRUE(toolkit.menuChecked.at("mnuMediaKeys"));

    press(ui::MediaKey::PlayPause);
    EXPECT_EQ(media.current->file, "C:\\Music\\Alpha.mp3");
    EXPECT_EQ(clock.pauses, Pauses{1000});
    EXPECT_EQ(game.commands, (Lines{"echo ^1Currently Playing: ^4Alpha.mp3",
                                    "say ^4Currently playing: ^3Alpha.mp3"}));

    player().mStop();
    player().lstPlay->setListIndex(2);
    forget();
    press(ui::MediaKey::PlayPause);
    EXPECT_EQ(media.current->file, "C:\\Music\\gamma.wav");
    EXPECT_EQ(game.commands, (Lines{"echo ^1Currently Playing: ^4gamma.wav",
                                    "say ^4Currently playing: ^3gamma.wav"}));

    toolkit.chooseMenu("mnuMediaKeys");
    EXPECT_FALSE(toolkit.menuChecked.at("mnuMediaKeys"));
    EXPECT_FALSE(toolkit.mediaKeysTaken);
    toolkit.chooseMenu("mnuMediaKeys");
    EXPECT_TRUE(toolkit.menuChecked.at("mnuMediaKeys"));
    forget();
    press(ui::MediaKey::PlayPause);
    EXPECT_TRUE(player().PauseBb);
    EXPECT_EQ(game.commands, Lines{"say ^1Playback Paused"});
}

}  // namespace
