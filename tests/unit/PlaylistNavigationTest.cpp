// Moving through the playlist and changing it: next and previous with their
// wrapping, play of the selection, remove, clear and add file.
#include "PlayerFixture.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

struct NextAndPrevious : PlayerFixture {};

TEST_F(NextAndPrevious, NextOnTheLastEntryWrapsToTheFirstAndEchoesIt) {
    FakeGame game(desktop);
    startUp();
    addSongs({"a", "b", "c"});
    playEntry(2);
    EXPECT_EQ(player().nextSong(), "a.mp3");
    EXPECT_EQ(list().listIndex(), 0);
    EXPECT_EQ(player().mIndex, 0);
    EXPECT_EQ(graph().file, songPath("a"));
    EXPECT_EQ(game.commands.back(), "echo ^1Currently Playing: ^4a.mp3");
}

TEST_F(NextAndPrevious, PreviousOnTheFirstEntryWrapsToTheLastWithoutAnEcho) {
    FakeGame game(desktop);
    startUp();
    addSongs({"a", "b", "c"});
    playEntry(0);
    const auto sent = game.commands.size();
    EXPECT_EQ(player().prevSong(), "c.mp3");
    EXPECT_EQ(list().listIndex(), 2);
    EXPECT_EQ(player().mIndex, 2);
    EXPECT_EQ(game.commands.size(), sent);
}

TEST_F(NextAndPrevious, NextWhilePausedStopsTheSongAndStartsTheNextEntry) {
    startUp();
    addSongs({"a", "b"});
    playEntry(0);
    player().Pause();
    EXPECT_EQ(player().nextSong(), "b.mp3");
    EXPECT_FALSE(player().PauseBb);
    EXPECT_TRUE(player().mPlaying);
    EXPECT_EQ(graph().file, songPath("b"));
    EXPECT_EQ(graph().state, FakeGraph::State::Running);
}

TEST_F(NextAndPrevious, OnAnEmptyPlaylistNothingHappensAndNothingIsSent) {
    FakeGame game(desktop);
    startUp();
    addSongs({"a"});
    playEntry(0);
    player().cmdClear_Click();
    const auto sent = game.commands.size();
    EXPECT_EQ(player().nextSong(), "");
    EXPECT_EQ(player().prevSong(), "");
    EXPECT_TRUE(player().mPlaying);  // the song that plays goes on
    EXPECT_EQ(game.commands.size(), sent);
}

TEST_F(NextAndPrevious, BeforeAnySongNextStartsTheSecondEntry) {
    startUp();
    addSongs({"a", "b"});
    EXPECT_EQ(player().nextSong(), "b.mp3");
    EXPECT_EQ(player().mIndex, 1);
}

TEST_F(NextAndPrevious, NextWhenNothingCouldStartStillEchoesWithAnEmptyName) {
    FakeGame game(desktop);
    startUp();
    addSong(songPath("x"), -1);
    EXPECT_EQ(player().nextSong(), "");
    EXPECT_EQ(game.commands.back(), "echo ^1Currently Playing: ^4");
}

TEST_F(NextAndPrevious, PreviousAfterTheListShrankBelowTheCurrentIndexTakesTheLastEntry) {
    startUp();
    addSongs({"a", "b", "c", "d"});
    playEntry(3);
    list().setListIndex(0);
    player().cmdRemove_Click();
    list().setListIndex(0);
    player().cmdRemove_Click();
    EXPECT_EQ(player().prevSong(), "d.mp3");
}

TEST_F(NextAndPrevious, PlaylistByIndexDoesNotStopFirstAndIgnoresIndexesOutside) {
    startUp();
    addSongs({"a", "b"});
    EXPECT_EQ(player().playlist(1), "b.mp3");
    EXPECT_EQ(player().playlist(0), "");  // playing: the caller stops first
    EXPECT_EQ(graph().file, songPath("b"));
    player().mStop();
    EXPECT_EQ(player().playlist(5), "");
    EXPECT_EQ(player().playlist(-1), "");
    EXPECT_EQ(player().playlist(0), "a.mp3");
}

struct PlayButton : PlayerFixture {};

TEST_F(PlayButton, WithNothingSelectedPlaysTheCurrentIndex) {
    startUp();
    addSongs({"a", "b", "c"});
    playEntry(1);
    list().setListIndex(-1);
    player().cmdPlay_Click();
    EXPECT_EQ(list().listIndex(), 1);
    EXPECT_EQ(graph().file, songPath("b"));
}

TEST_F(PlayButton, WhilePausedResumesTheSongWhateverIsSelected) {
    startUp();
    addSongs({"a", "b"});
    playEntry(0);
    player().Pause();
    playEntry(1);
    EXPECT_EQ(graph().file, songPath("a"));
    EXPECT_EQ(graph().state, FakeGraph::State::Running);
    EXPECT_EQ(media.graphsMade, 1);
}

TEST_F(PlayButton, WhilePlayingRestartsWithTheSelection) {
    startUp();
    addSongs({"a", "b"});
    playEntry(0);
    playEntry(1);
    EXPECT_EQ(graph().file, songPath("b"));
    EXPECT_EQ(player().mIndex, 1);
}

TEST_F(PlayButton, OnAnEmptyListDoesNothing) {
    startUp();
    player().cmdPlay_Click();
    EXPECT_EQ(media.graphsMade, 0);
}

struct RemoveAndClear : PlayerFixture {};

TEST_F(RemoveAndClear, RemovingAMiddleEntrySelectsTheOneThatMovedUp) {
    startUp();
    addSongs({"a", "b", "c"});
    list().setListIndex(1);
    player().cmdRemove_Click();
    EXPECT_EQ(list().items, (std::vector<std::string>{"a.mp3", "c.mp3"}));
    EXPECT_EQ(player().mSongs, (std::vector<std::string>{songPath("a"), songPath("c")}));
    EXPECT_EQ(player().mCount(), 2);
    EXPECT_EQ(list().listIndex(), 1);
}

TEST_F(RemoveAndClear, RemovingTheLastEntryLeavesNothingSelected) {
    startUp();
    addSongs({"a", "b"});
    list().setListIndex(1);
    player().cmdRemove_Click();
    EXPECT_EQ(list().listIndex(), -1);
    EXPECT_EQ(player().mSongs.size(), 1u);
    EXPECT_EQ(player().mCount(), 1);
}

TEST_F(RemoveAndClear, RemoveWithNothingSelectedChangesNothing) {
    startUp();
    addSongs({"a"});
    list().setListIndex(-1);
    player().cmdRemove_Click();
    EXPECT_EQ(player().mCount(), 1);
    EXPECT_EQ(list().count(), 1);
}

TEST_F(RemoveAndClear, RemovingAboveTheCurrentSongKeepsItsIndexAndItsMusic) {
    startUp();
    addSongs({"a", "b", "c", "d"});
    playEntry(2);
    list().setListIndex(0);
    player().cmdRemove_Click();
    EXPECT_EQ(player().mIndex, 2);
    EXPECT_TRUE(player().mPlaying);
    // The next song is the one after the entry now at index 2 ("d"): the first.
    EXPECT_EQ(player().nextSong(), "b.mp3");
    EXPECT_EQ(list().listIndex(), 0);
}

TEST_F(RemoveAndClear, ClearWhilePlayingLetsTheSongGoOnAndItsEndDoesNothing) {
    FakeGame game(desktop);
    startUp();
    addSongs({"a", "b"});
    playEntry(1);
    player().cmdClear_Click();
    EXPECT_EQ(player().mCount(), 0);
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
    dialogs().openFileAnswers.push_back("D:\\Tunes\\Duel of the Fates.wma");
    EXPECT_TRUE(player().addFileFromDialog());
    EXPECT_EQ(dialogs().openFileFilters.back(),
              "MP3  (*.mp3)|*.mp3|Windows Media Audio (*.wma)|*.wma|Wave (*.wav)|*.wav");
    EXPECT_EQ(list().items, std::vector<std::string>{"Duel of the Fates.wma"});
    EXPECT_EQ(player().mSongs, std::vector<std::string>{"D:\\Tunes\\Duel of the Fates.wma"});
    EXPECT_EQ(player().mCount(), 1);
}

TEST_F(AddFile, CancellingAddsNothing) {
    startUp();
    EXPECT_FALSE(player().addFileFromDialog());
    EXPECT_EQ(player().mCount(), 0);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(AddFile, TheMainWindowMenuRunsTheSameHandlers) {
    startUp();
    dialogs().openFileAnswers.push_back("C:\\x.mp3");
    toolkit.chooseMenu("mnuAddFile");
    EXPECT_EQ(player().mCount(), 1);
    toolkit.chooseMenu("mnuClearList");
    EXPECT_EQ(player().mCount(), 0);
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
