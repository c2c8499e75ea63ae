// The playback engine: states, the start sequence and its opening in the
// background, volume, resume, stop and the skipping of songs that cannot be
// played.
#include <algorithm>

#include "PlayerFixture.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

int countOf(const std::vector<std::string>& calls, const std::string& call) {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

struct PlaybackStates : PlayerFixture {};

// The start returns while the song opens; it plays once the graph has
// opened it, in a later yield, and the caller hears of it then.
TEST_F(PlaybackStates, StartingASongPlaysItAtTheSliderVolumeAndNormalSpeedOnceOpen) {
    startUp();
    addSong(songPath("a"), 215.43);
    list().setListIndex(0);
    std::vector<std::string> told;
    EXPECT_TRUE(
        player().play(songPath("a"), [&](const std::string& name) { told.push_back(name); }));
    EXPECT_TRUE(player().opening());
    EXPECT_FALSE(player().mPlaying);
    EXPECT_EQ(graph().state, FakeGraph::State::Stopped);
    EXPECT_TRUE(told.empty());
    settle();
    EXPECT_FALSE(player().opening());
    EXPECT_EQ(told, std::vector<std::string>{"a.mp3"});
    EXPECT_TRUE(player().mPlaying);
    EXPECT_FALSE(player().PauseBb);
    EXPECT_EQ(player().mFile, songPath("a"));
    EXPECT_EQ(graph().state, FakeGraph::State::Running);
    EXPECT_EQ(graph().rate, 1.0);
    EXPECT_EQ(graph().volume, -625);  // slider at 5 after start-up
    EXPECT_TRUE(musicTimer().enabled());
    EXPECT_EQ(player().mDuration, 215.43);
    EXPECT_EQ(lengthLabel().text, "215.43");
    EXPECT_EQ(position().max(), 215);
}

TEST_F(PlaybackStates, PauseThenPlayResumesTheSameGraphWhateverFileIsGiven) {
    startPlaying({"a", "b"});
    FakeGraph* first = media.current;
    player().Pause();
    EXPECT_TRUE(player().PauseBb);
    EXPECT_TRUE(player().mPlaying);
    EXPECT_EQ(first->state, FakeGraph::State::Paused);

    EXPECT_FALSE(player().play(songPath("b")));
    EXPECT_EQ(media.current, first);
    EXPECT_EQ(first->state, FakeGraph::State::Running);
    EXPECT_FALSE(player().PauseBb);

    // The Play button resumes too, whatever is selected.
    player().Pause();
    playEntry(1);
    EXPECT_EQ(graph().file, songPath("a"));
    EXPECT_EQ(graph().state, FakeGraph::State::Running);
    EXPECT_EQ(media.graphsMade, 1);
}

TEST_F(PlaybackStates, PlayWhilePlayingOnlyChangesTheFile) {
    startPlaying({"a", "b"});
    EXPECT_FALSE(player().play(songPath("b")));
    EXPECT_EQ(player().mFile, songPath("b"));
    EXPECT_EQ(media.graphsMade, 1);
    EXPECT_EQ(graph().file, songPath("a"));
}

TEST_F(PlaybackStates, PauseStopThenPlayStartsTheFileAfresh) {
    startPlaying({"a", "b"});
    player().cmdPause_Click();
    player().cmdStop_Click();
    EXPECT_FALSE(player().mPlaying);
    EXPECT_FALSE(player().PauseBb);
    list().setListIndex(1);
    EXPECT_TRUE(player().play(songPath("b")));
    settle();
    EXPECT_EQ(graph().file, songPath("b"));
    EXPECT_EQ(media.graphsMade, 2);
}

TEST_F(PlaybackStates, WhileStoppedPausePlayOfAnEmptyPathAndPlayOnAnEmptyListDoNothing) {
    startUp();
    EXPECT_EQ(volume().value(), 5);
    player().Pause();
    EXPECT_FALSE(player().PauseBb);
    EXPECT_FALSE(player().play(""));
    player().cmdPlay_Click();
    EXPECT_TRUE(media.log.calls.empty());
    EXPECT_EQ(media.graphsMade, 0);
    EXPECT_FALSE(player().mPlaying);
}

TEST_F(PlaybackStates, EachSongGetsANewGraphAndTheOldOneIsStoppedThenReleased) {
    startPlaying({"a", "b"});
    media.log.calls.clear();
    list().setListIndex(1);
    player().mStop();
    player().play(songPath("b"));
    settle();
    // mStop stops and rewinds; the start stops the old graph again before releasing it.
    const std::vector<std::string> expectedStart = {
        "stop", "seek 0", "stop", "release", "open " + songPath("b"), "run"};
    ASSERT_GE(media.log.calls.size(), expectedStart.size());
    EXPECT_TRUE(std::equal(expectedStart.begin(), expectedStart.end(), media.log.calls.begin()));
    EXPECT_EQ(media.graphsReleased, 1);
}

struct Stopping : PlayerFixture {};

TEST_F(Stopping, StopBeforeAnySongOnlyResetsSliderFlagsAndFile) {
    startUp();
    position().current = 7;
    player().mFile = "x";
    player().cmdStop_Click();
    EXPECT_EQ(position().value(), 0);
    EXPECT_EQ(player().mFile, "");
    EXPECT_FALSE(player().mPlaying);
    EXPECT_EQ(media.graphsMade, 0);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(Stopping, StopRewindsButKeepsTheGraphTheTimerAndTheLabel) {
    startPlaying({"a"});
    graph().at = 42;
    lengthLabel().text = "Position: 42/100";
    player().mStop();
    EXPECT_EQ(graph().state, FakeGraph::State::Stopped);
    EXPECT_EQ(graph().at, 0);
    EXPECT_NE(media.current, nullptr);
    EXPECT_TRUE(musicTimer().enabled());
    EXPECT_EQ(lengthLabel().text, "Position: 42/100");
}

TEST_F(Stopping, AFailingStopStepDoesNotKeepTheOthersFromRunning) {
    startPlaying({"a"});
    media.failingCalls = {"stop", "seek"};
    player().mStop();
    EXPECT_FALSE(player().mPlaying);
    EXPECT_EQ(player().mFile, "");
    EXPECT_EQ(position().value(), 0);
}

struct Volume : PlayerFixture {};

TEST_F(Volume, LoudnessRunsAgainstTheSliderAtAnEighthOfADecibelTimesTen) {
    startPlaying({"a"});
    const std::vector<std::pair<int, long>> table = {{20, 0}, {15, -625}, {10, -1250}, {0, -2500}};
    for (auto [volu, hundredths] : table) {
        player().volumetune(static_cast<std::int16_t>(volu));
        EXPECT_EQ(volume().value(), 20 - volu);
        EXPECT_EQ(graph().volume, hundredths) << "volu " << volu;
    }
    // Out of range: the slider stays and its volume is sent again.
    player().volumetune(12);
    player().volumetune(25);
    EXPECT_EQ(volume().value(), 8);
    EXPECT_EQ(graph().volume, -1000);
    player().volumetune(-1);
    EXPECT_EQ(volume().value(), 8);
}

TEST_F(Volume, WithoutAGraphOnlyTheSliderMovesAndTheNextSongTakesIt) {
    startUp();
    addSongs({"a"});
    player().volumetune(20);
    EXPECT_EQ(volume().value(), 0);
    EXPECT_TRUE(media.log.volumes.empty());
    playEntry(0);
    EXPECT_EQ(media.log.volumes, std::vector<long>{0});
}

struct Resume : PlayerFixture {};

// The end test compares whole seconds, halves rounding to even.
TEST_F(Resume, PausedAtTheEndStartsAgainFromTheBeginningElseGoesOnFromThere) {
    startUp();
    addSong(songPath("a"), 215.43);
    addSong(songPath("b"), 4.5);  // rounds to 4
    struct Case {
        int entry;
        double pausedAt, resumedAt;
    };
    const Case cases[] = {
        {0, 215.4, 0},      // rounds to 215, as does the duration
        {0, 214.4, 214.4},  // in the middle
        {1, 3.5, 0},        // rounds to 4 as well
    };
    for (const Case& c : cases) {
        player().mStop();
        playEntry(c.entry);
        player().Pause();
        graph().at = c.pausedAt;
        player().play("");
        EXPECT_EQ(graph().at, c.resumedAt) << c.pausedAt;
        EXPECT_EQ(graph().state, FakeGraph::State::Running);
    }
}

struct Unplayable : PlayerFixture {};

TEST_F(Unplayable, AFileThatDoesNotRenderIsPassedOverAndTheSelectionMoves) {
    FakeGame game(desktop);
    startUp();
    addSong(songPath("a"));
    addSong(songPath("broken"), -1);
    addSong(songPath("c"));
    playEntry(0);
    EXPECT_TRUE(player().nextSong());
    settle();
    EXPECT_EQ(list().listIndex(), 2);
    EXPECT_EQ(player().mIndex, 2);
    EXPECT_EQ(graph().file, songPath("c"));
    EXPECT_TRUE(dialogs().boxes.empty());
    // Announced once, by name, although two nextSong calls were involved.
    EXPECT_EQ(game.commands.back(), "echo ^1Currently Playing: ^4c.mp3");
    EXPECT_EQ(std::count(game.commands.begin(), game.commands.end(), game.commands.back()), 1);
}

TEST_F(Unplayable, AFailureLaterInTheStartAlsoSkips) {
    startUp();
    addSongs({"a", "b", "c"});
    media.failingCalls = {"rate " + songPath("a")};
    list().setListIndex(0);
    player().play(songPath("a"));
    settle();
    EXPECT_EQ(graph().file, songPath("b"));
    EXPECT_EQ(list().listIndex(), 1);
    EXPECT_TRUE(player().mPlaying);
}

TEST_F(Unplayable, TheSkipGoesOnFromTheFailedEntryWhereverPlayStarted) {
    startUp();
    addSong(songPath("a"));
    addSong(songPath("b"));
    addSong(songPath("broken"), -1);
    addSong(songPath("d"));
    playEntry(2);  // current index still 0
    EXPECT_EQ(graph().file, songPath("d"));
    EXPECT_EQ(player().mIndex, 3);
}

TEST_F(Unplayable, AllEntriesUnplayableStopsAfterEachHasFailedOnce) {
    FakeGame game(desktop);
    startUp();
    for (const char* n : {"x", "y", "z"}) addSong(songPath(n), -1);
    EXPECT_EQ(playEntry(0), "");
    EXPECT_EQ(countOf(media.log.calls, "open " + songPath("x")), 1);
    EXPECT_EQ(countOf(media.log.calls, "open " + songPath("y")), 1);
    EXPECT_EQ(countOf(media.log.calls, "open " + songPath("z")), 1);
    EXPECT_FALSE(player().mPlaying);
    EXPECT_FALSE(player().PauseBb);
    EXPECT_EQ(player().mFile, "");
    // The next attempt tries again.
    media.playable[songPath("x")] = 10;
    EXPECT_EQ(playEntry(0), songPath("x"));
    EXPECT_TRUE(player().mPlaying);
}

// A drive that is gone leaves thousands of entries that cannot play: the walk
// over them must neither nest a call per entry nor keep their graphs, and the
// windows go on answering meanwhile (each entry's answer comes in a yield).
TEST_F(Unplayable, ALongListOfMissingSongsIsWalkedOnceWithEveryGraphReleased) {
    FakeGame game(desktop);
    startUp();
    constexpr int kEntries = 6000;
    for (int i = 0; i < kEntries; ++i) addSong(songPath("gone" + std::to_string(i)), -1);
    const int yieldsBefore = toolkit.yields;
    const std::size_t sentBefore = game.commands.size();
    EXPECT_TRUE(player().nextSong());
    settle();
    EXPECT_EQ(media.graphsMade, kEntries);
    EXPECT_EQ(media.graphsReleased, kEntries);
    EXPECT_GE(toolkit.yields - yieldsBefore, kEntries - 1);
    EXPECT_FALSE(player().mPlaying);
    EXPECT_EQ(player().mFile, "");
    // The stop is said once.
    EXPECT_EQ(std::vector<std::string>(game.commands.begin() + sentBefore, game.commands.end()),
              std::vector<std::string>{"echo ^1Currently Playing: ^4"});
}

TEST_F(Unplayable, AGraphFailingAfterTheStartOnEveryFileStillStops) {
    startUp();
    addSongs({"a", "b", "c", "d"});
    media.failingCalls = {"volume"};
    playEntry(0);
    EXPECT_FALSE(player().mPlaying);
    EXPECT_LE(media.graphsMade, 9);
}

TEST_F(Unplayable, NoGraphFromThePlatformCountsAsUnplayable) {
    startUp();
    addSongs({"a", "b"});
    media.refuseGraphs = true;
    playEntry(0);
    EXPECT_FALSE(player().mPlaying);
    player().mStop();  // no graph to stop: nothing fails
    EXPECT_EQ(position().value(), 0);
}

struct Opening : PlayerFixture {};

// While a song opens, next counts from its entry, a second start takes the
// place of the first (whose caller never hears of it), the song that plays is
// the entry opened whatever is selected meanwhile, and a stop gives up a song
// still opening.
TEST_F(Opening, ANewStartOrAStopWhileASongOpensTakesItsPlace) {
    FakeGame game(desktop);
    startUp();
    addSongs({"a", "b", "c"});
    std::vector<std::string> told;
    const auto tell = [&](const std::string& name) { told.push_back(name); };
    media.holdAnswers = true;
    EXPECT_TRUE(player().nextSong(tell));
    EXPECT_TRUE(player().nextSong(tell));
    EXPECT_EQ(list().listIndex(), 2);
    EXPECT_EQ(media.graphsReleased, 1);
    list().setListIndex(0);
    media.releaseAnswers();
    settle();
    EXPECT_EQ(graph().file, songPath("c"));
    EXPECT_EQ(player().mIndex, 2);
    EXPECT_EQ(told, std::vector<std::string>{"c.mp3"});
    EXPECT_EQ(game.commands.back(), "echo ^1Currently Playing: ^4c.mp3");
    EXPECT_EQ(countOf(game.commands, "echo ^1Currently Playing: ^4b.mp3"), 0);

    media.holdAnswers = true;
    player().prevSong(tell);
    player().mStop();
    EXPECT_FALSE(player().opening());
    EXPECT_EQ(media.current, nullptr);
    media.releaseAnswers();
    settle();
    EXPECT_FALSE(player().mPlaying);
    EXPECT_EQ(told.size(), 1u);
}

struct NextAndPrevious : PlayerFixture {};

TEST_F(NextAndPrevious, NextAndPreviousWrapAroundTheListAndOnlyNextEchoes) {
    FakeGame game(desktop);
    startPlaying({"a", "b", "c"}, 2);
    player().nextSong();
    settle();
    EXPECT_EQ(list().listIndex(), 0);
    EXPECT_EQ(player().mIndex, 0);
    EXPECT_EQ(graph().file, songPath("a"));
    EXPECT_EQ(game.commands.back(), "echo ^1Currently Playing: ^4a.mp3");

    // Previous on the first entry wraps to the last, without an echo.
    const auto sent = game.commands.size();
    player().prevSong();
    settle();
    EXPECT_EQ(graph().file, songPath("c"));
    EXPECT_EQ(list().listIndex(), 2);
    EXPECT_EQ(player().mIndex, 2);
    EXPECT_EQ(game.commands.size(), sent);
}

TEST_F(NextAndPrevious, NextWhilePausedStopsTheSongAndStartsTheNextEntry) {
    startPlaying({"a", "b"});
    player().Pause();
    player().nextSong();
    settle();
    EXPECT_FALSE(player().PauseBb);
    EXPECT_TRUE(player().mPlaying);
    EXPECT_EQ(graph().file, songPath("b"));
    EXPECT_EQ(graph().state, FakeGraph::State::Running);
}

TEST_F(NextAndPrevious, OnAnEmptyPlaylistNothingHappensAndNothingIsSent) {
    FakeGame game(desktop);
    startPlaying({"a"});
    player().cmdClear_Click();
    const auto sent = game.commands.size();
    EXPECT_FALSE(player().nextSong());
    EXPECT_FALSE(player().prevSong());
    EXPECT_TRUE(player().mPlaying);  // the song that plays goes on
    EXPECT_EQ(game.commands.size(), sent);
}

TEST_F(NextAndPrevious, BeforeAnySongNextStartsTheSecondEntry) {
    startUp();
    addSongs({"a", "b"});
    player().nextSong();
    settle();
    EXPECT_EQ(graph().file, songPath("b"));
    EXPECT_EQ(player().mIndex, 1);
}

TEST_F(NextAndPrevious, NextWhenNothingCouldStartStillEchoesWithAnEmptyName) {
    FakeGame game(desktop);
    startUp();
    addSong(songPath("x"), -1);
    player().nextSong();
    settle();
    EXPECT_EQ(game.commands.back(), "echo ^1Currently Playing: ^4");
}

TEST_F(NextAndPrevious, PreviousAfterTheListShrankBelowTheCurrentIndexTakesTheLastEntry) {
    startPlaying({"a", "b", "c", "d"}, 3);
    list().setListIndex(0);
    player().cmdRemove_Click();
    list().setListIndex(0);
    player().cmdRemove_Click();
    player().prevSong();
    settle();
    EXPECT_EQ(graph().file, songPath("d"));
}

TEST_F(NextAndPrevious, PlaylistByIndexDoesNotStopFirstAndIgnoresIndexesOutside) {
    startUp();
    addSongs({"a", "b"});
    EXPECT_TRUE(player().playlist(1));
    settle();
    EXPECT_FALSE(player().playlist(0));  // playing: the caller stops first
    EXPECT_EQ(graph().file, songPath("b"));
    player().mStop();
    EXPECT_FALSE(player().playlist(5));
    EXPECT_FALSE(player().playlist(-1));
    EXPECT_TRUE(player().playlist(0));
    settle();
    EXPECT_EQ(graph().file, songPath("a"));
}

struct PlayButton : PlayerFixture {};

TEST_F(PlayButton, WhilePlayingRestartsWithTheSelectionOrWithNoneTheCurrentIndex) {
    startPlaying({"a", "b", "c"}, 1);
    list().setListIndex(-1);
    player().cmdPlay_Click();
    EXPECT_EQ(list().listIndex(), 1);
    EXPECT_EQ(graph().file, songPath("b"));
    playEntry(2);
    EXPECT_EQ(graph().file, songPath("c"));
    EXPECT_EQ(player().mIndex, 2);
}

}  // namespace
