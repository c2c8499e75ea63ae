// The player window: its timer following the song, the two sliders, its
// layout, and the number rules behind them.
#include "PlayerFixture.h"
#include "player/Numbers.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

struct MusicTimer : PlayerFixture {
    // Lets the song run to `seconds` and the timer tick once (and a song it
    // starts open).
    void tickAt(double seconds) {
        graph().at = seconds;
        clock.elapsedMs += 100;
        toolkit.yield();
        settle();
    }
};

TEST_F(MusicTimer, ASongOf215Point43SecondsFromStartToItsEnd) {
    FakeGame game(desktop);
    startUp();
    addSong(songPath("long"), 215.43);
    addSong(songPath("next"), 60);
    playEntry(0);
    EXPECT_EQ(position().max(), 215);
    EXPECT_EQ(lengthLabel().text, "215.43");
    tickAt(0);
    EXPECT_EQ(lengthLabel().text, "Position: 0/215");
    tickAt(83.5);
    EXPECT_EQ(lengthLabel().text, "Position: 83/215");
    EXPECT_EQ(position().value(), 84);  // 83.5 rounds to the even 84
    tickAt(215.43);
    // The next song's start has already written its own duration.
    EXPECT_EQ(lengthLabel().text, "60");
    EXPECT_EQ(graph().file, songPath("next"));
    EXPECT_EQ(player().mIndex, 1);
    EXPECT_EQ(game.commands.back(), "echo ^1Currently Playing: ^4next.mp3");
}

TEST_F(MusicTimer, TheEndTickShowsTheFullPosition) {
    startUp();
    addSong(songPath("long"), 215.43);
    playEntry(0);
    player().cmdClear_Click();  // nothing to move on to, so the label stays
    tickAt(215.43);
    EXPECT_EQ(lengthLabel().text, "Position: 215/215");
    EXPECT_EQ(position().value(), 215);
    EXPECT_FALSE(player().mPlaying);
    EXPECT_EQ(graph().state, FakeGraph::State::Stopped);
}

TEST_F(MusicTimer, NearlyAtTheEndIsNotTheEndAndTheLastSongEndingStartsTheFirstAgain) {
    startPlaying({"a", "b"}, 1);
    tickAt(99.99);
    EXPECT_EQ(graph().file, songPath("b"));
    EXPECT_TRUE(player().mPlaying);
    tickAt(100);
    EXPECT_EQ(graph().file, songPath("a"));
    EXPECT_EQ(list().listIndex(), 0);
}

TEST_F(MusicTimer, TheTimerIsOffUntilTheFirstSongAndStaysOnAfterAStop) {
    startUp();
    EXPECT_FALSE(musicTimer().enabled());
    EXPECT_EQ(musicTimer().interval(), 100u);
    addSongs({"a"});
    playEntry(0);
    EXPECT_TRUE(musicTimer().enabled());
    player().mStop();
    EXPECT_TRUE(musicTimer().enabled());
    const auto label = lengthLabel().text;
    tickAt(50);
    EXPECT_EQ(lengthLabel().text, label);  // stopped: the tick does nothing
}

TEST_F(MusicTimer, WhilePausedThePositionStaysUntilMovedToTheEndWhichGoesOnToTheNextEntry) {
    startPlaying({"a", "b"});
    graph().at = 30;
    player().Pause();
    tickAt(30);
    EXPECT_EQ(lengthLabel().text, "Position: 30/100");
    EXPECT_EQ(graph().file, songPath("a"));
    position().moveThumb(100);
    clock.elapsedMs += 100;
    toolkit.yield();
    EXPECT_EQ(graph().file, songPath("b"));
    EXPECT_FALSE(player().PauseBb);
}

TEST_F(MusicTimer, TheTimersOwnSliderUpdatesNeverSeek) {
    startPlaying({"a"});
    media.log.calls.clear();
    tickAt(12.4);
    tickAt(13.6);
    for (const auto& call : media.log.calls) EXPECT_NE(call.rfind("seek", 0), 0u) << call;
    EXPECT_EQ(graph().at, 13.6);
}

struct Sliders : PlayerFixture {};

TEST_F(Sliders, MovingThePositionSeeksToWholeSecondsOnlyWhileASongIsLoaded) {
    startUp();
    addSongs({"a"});
    position().moveThumb(5);
    EXPECT_EQ(media.graphsMade, 0);
    playEntry(0);
    position().moveThumb(42);
    EXPECT_EQ(graph().at, 42);
    player().mStop();
    position().moveThumb(7);
    EXPECT_EQ(graph().at, 0);
}

TEST_F(Sliders, MovingThePositionWhilePausedMovesThePausedPositionAndResumeGoesOnFromThere) {
    startPlaying({"a"});
    player().Pause();
    position().moveThumb(61);
    EXPECT_EQ(graph().state, FakeGraph::State::Paused);
    player().play("");
    EXPECT_EQ(graph().at, 61);
    EXPECT_EQ(graph().state, FakeGraph::State::Running);
}

TEST_F(Sliders, MovingTheVolumeSetsItAtOnceWhilePlayingOrPausedAndWhileStoppedWaits) {
    startPlaying({"a"});
    volume().moveThumb(0);
    EXPECT_EQ(graph().volume, 0);
    player().Pause();
    volume().moveThumb(20);
    EXPECT_EQ(graph().volume, -2500);
    player().mStop();
    media.log.volumes.clear();
    volume().moveThumb(16);
    EXPECT_TRUE(media.log.volumes.empty());
    playEntry(0);
    EXPECT_EQ(media.log.volumes, std::vector<long>{-2000});
}

struct PlayerLayout : PlayerFixture {};

TEST_F(PlayerLayout, BorderlessDarkBlueWindowWithItsSlidersAndCheckBox) {
    const auto& spec = playerWindow().spec;
    EXPECT_EQ(spec.border, ui::Border::None);
    EXPECT_FALSE(spec.hasTitle);
    EXPECT_EQ(spec.clientWidth, 6525);
    EXPECT_EQ(spec.clientHeight, 5565);
    EXPECT_EQ(spec.background, (ui::Rgb{0, 0, 64}));
    EXPECT_EQ(volume().orientation, ui::Orientation::Vertical);
    EXPECT_EQ(volume().max(), 20);
    EXPECT_EQ(position().max(), 10);
    EXPECT_EQ(fake<FakeCheckBox>(player().Check1).value(), 1);
    EXPECT_EQ(fake<FakeCheckBox>(player().Check1).spec.caption, "Say the currently playing song");
    EXPECT_EQ(fake<FakeButton>(player().cmdPlay).spec.background, (ui::Rgb{128, 128, 128}));
    EXPECT_EQ(lengthLabel().text, "Position:");
}

struct RemoveAndClear : PlayerFixture {};

TEST_F(RemoveAndClear, RemovingSelectsTheEntryThatMovedUpOrNothingAfterTheLast) {
    startUp();
    addSongs({"a", "b", "c"});
    list().setListIndex(1);
    player().cmdRemove_Click();
    EXPECT_EQ(list().items, (std::vector<std::string>{"a.mp3", "c.mp3"}));
    EXPECT_EQ(player().mSongs, (std::vector<std::string>{songPath("a"), songPath("c")}));
    EXPECT_EQ(player().mSongs.size(), 2u);
    EXPECT_EQ(list().listIndex(), 1);
    player().cmdRemove_Click();  // the last entry
    EXPECT_EQ(list().listIndex(), -1);
    EXPECT_EQ(player().mSongs.size(), 1u);
    EXPECT_EQ(player().mSongs.size(), 1u);
    player().cmdRemove_Click();  // nothing selected: nothing changes
    EXPECT_EQ(player().mSongs.size(), 1u);
    EXPECT_EQ(list().count(), 1);
}

TEST_F(RemoveAndClear, RemovingAboveTheCurrentSongKeepsItsIndexAndItsMusic) {
    startPlaying({"a", "b", "c", "d"}, 2);
    list().setListIndex(0);
    player().cmdRemove_Click();
    EXPECT_EQ(player().mIndex, 2);
    EXPECT_TRUE(player().mPlaying);
    // The next song is the one after the entry now at index 2 ("d"): the first.
    EXPECT_TRUE(player().nextSong());
    settle();
    EXPECT_EQ(graph().file, songPath("b"));
    EXPECT_EQ(list().listIndex(), 0);
}

TEST_F(RemoveAndClear, ClearWhilePlayingLetsTheSongGoOnAndItsEndDoesNothing) {
    FakeGame game(desktop);
    startPlaying({"a", "b"}, 1);
    player().cmdClear_Click();
    EXPECT_EQ(player().mSongs.size(), 0u);
    EXPECT_TRUE(player().mSongs.empty());
    EXPECT_EQ(list().count(), 0);
    EXPECT_TRUE(player().mPlaying);
    EXPECT_EQ(player().mIndex, 1);
    const auto sent = game.commands.size();
    graph().at = graph().length;
    player().tmrMusic_Timer();
    EXPECT_FALSE(player().mPlaying);
    EXPECT_EQ(game.commands.size(), sent);
}

struct AddFile : PlayerFixture {};

TEST_F(AddFile, TheDialogUsesTheSongFilterAndTheNameDropsTheFolder) {
    startUp();
    EXPECT_FALSE(player().addFileFromDialog());  // cancelled
    EXPECT_EQ(player().mSongs.size(), 0u);
    EXPECT_TRUE(dialogs().boxes.empty());
    dialogs().openFileAnswers.push_back("D:\\Tunes\\Duel of the Fates.wma");
    EXPECT_TRUE(player().addFileFromDialog());
    EXPECT_EQ(dialogs().openFileFilters.back(),
              "Songs (*.mp3;*.wma;*.wav;*.m4a;*.aac;*.flac;*.ogg;*.oga;*.opus)|"
              "*.mp3;*.wma;*.wav;*.m4a;*.aac;*.flac;*.ogg;*.oga;*.opus|"
              "MP3  (*.mp3)|*.mp3|Windows Media Audio (*.wma)|*.wma|Wave (*.wav)|*.wav|"
              "MPEG-4 Audio (*.m4a;*.aac)|*.m4a;*.aac|FLAC (*.flac)|*.flac|"
              "Ogg Vorbis and Opus (*.ogg;*.oga;*.opus)|*.ogg;*.oga;*.opus");
    EXPECT_EQ(list().items, std::vector<std::string>{"Duel of the Fates.wma"});
    EXPECT_EQ(player().mSongs, std::vector<std::string>{"D:\\Tunes\\Duel of the Fates.wma"});
    EXPECT_EQ(player().mSongs.size(), 1u);
}

TEST_F(AddFile, TheMainWindowMenuRunsTheSameHandlers) {
    startUp();
    dialogs().openFileAnswers.push_back("C:\\x.mp3");
    toolkit.chooseMenu("mnuAddFile");
    EXPECT_EQ(player().mSongs.size(), 1u);
    toolkit.chooseMenu("mnuClearList");
    EXPECT_EQ(player().mSongs.size(), 0u);
}

TEST_F(AddFile, AFullPlaylistRefusesTheFileWithAnErrorBox) {
    startUp();
    player().mSongs.assign(32767, "C:\\x.mp3");
    for (int i = 0; i < 32767; ++i) list().items.push_back("x.mp3");
    dialogs().openFileAnswers.push_back("C:\\y.mp3");
    EXPECT_FALSE(player().addFileFromDialog());
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].title, "Error");
    EXPECT_EQ(dialogs().boxes[0].icon, ui::MessageIcon::Error);
    EXPECT_EQ(player().mSongs.size(), 32767u);
}

}  // namespace
