// Playlist files: the format on disk, saving, the three ways of loading, and
// loads that fail without touching the playlist.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "PlayerFixture.h"
#include "player/PlaylistFile.h"

using namespace varnok;
using namespace varnok::fakes;
namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const fs::path& file, const std::string& content) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

struct PlaylistFormat : ::testing::Test {};

TEST_F(PlaylistFormat, CountWithBlanksThenPathAndNamePairsEachEndingInCrLf) {
    EXPECT_EQ(player::formatPlaylist({{"C:\\a.mp3", "a.mp3"}, {"C:\\b.wav", "Bee"}}),
              " 2 \r\nC:\\a.mp3\r\na.mp3\r\nC:\\b.wav\r\nBee\r\n");
    EXPECT_EQ(player::formatPlaylist({}), " 0 \r\n");
}

TEST_F(PlaylistFormat, CountWithoutBlanksAndCrAloneAreRead) {
    const auto read = player::parsePlaylist("3\rp0\rn0\r\np1\rn1\rp2\rn2");
    ASSERT_EQ(read.outcome, player::PlaylistRead::Outcome::Read);
    EXPECT_EQ(read.entries,
              (std::vector<player::PlaylistEntry>{{"p0", "n0"}, {"p1", "n1"}, {"p2", "n2"}}));
}

TEST_F(PlaylistFormat, LinesAfterTheAnnouncedPairsAreIgnored) {
    const auto read = player::parsePlaylist(" 1 \r\np\r\nn\r\nextra\r\nmore\r\n");
    ASSERT_EQ(read.outcome, player::PlaylistRead::Outcome::Read);
    EXPECT_EQ(read.entries.size(), 1u);
}

TEST_F(PlaylistFormat, ABlankNameLineIsAName) {
    const auto read = player::parsePlaylist(" 1 \r\nC:\\x.mp3\r\n\r\n");
    ASSERT_EQ(read.outcome, player::PlaylistRead::Outcome::Read);
    EXPECT_EQ(read.entries[0].name, "");
}

TEST_F(PlaylistFormat, BadCountsAndShortFilesFail) {
    for (const char* text :
         {"", "x\r\n", "-1\r\n", " 2 3 \r\n", "40000\r\n", " 2 \r\np\r\nn\r\np2\r\n", " 1 \r\np"}) {
        EXPECT_EQ(player::parsePlaylist(text).outcome, player::PlaylistRead::Outcome::Failed)
            << text;
    }
    EXPECT_EQ(player::parseSongCount(" 32767 "), 32767);
}

struct SavingPlaylists : PlayerFixture {
    fs::path saves() { return folder.path() / "Saves"; }
};

TEST_F(SavingPlaylists, SaveAndLoadBackGiveTheSamePairsInOrder) {
    startUp();
    addSong("C:\\Music\\one.mp3");
    addSong("D:\\two.wma");
    dialogs().inputAnswers.push_back("mix");
    player().cmdSave_Click();
    EXPECT_EQ(dialogs().prompts.back().prompt,
              "Enter the name of the playlist you want to save this as.");
    EXPECT_EQ(dialogs().prompts.back().title, "Save Playlist");
    EXPECT_EQ(dialogs().prompts.back().proposed, "playlist");
    EXPECT_EQ(readAll(saves() / "mix.lst"),
              " 2 \r\nC:\\Music\\one.mp3\r\none.mp3\r\nD:\\two.wma\r\ntwo.wma\r\n");

    player().cmdClear_Click();
    EXPECT_TRUE(player().openIt2("mix"));
    EXPECT_EQ(player().mCount(), 2);
    EXPECT_EQ(player().mSongs, (std::vector<std::string>{"C:\\Music\\one.mp3", "D:\\two.wma"}));
    EXPECT_EQ(list().items, (std::vector<std::string>{"one.mp3", "two.wma"}));
}

TEST_F(SavingPlaylists, ACancelledPromptSavesUnderTheNameDotLst) {
    startUp();
    player().cmdSave_Click();
    EXPECT_EQ(readAll(saves() / ".lst"), " 0 \r\n");
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(SavingPlaylists, SavingOverAFileReplacesItAndLeavesNoTemporaryFile) {
    startUp();
    writeAll(saves() / "old.lst", " 1 \r\nx\r\ny\r\n");
    addSong("C:\\a.mp3");
    dialogs().inputAnswers.push_back("old");
    player().cmdSave_Click();
    EXPECT_EQ(readAll(saves() / "old.lst"), " 1 \r\nC:\\a.mp3\r\na.mp3\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(saves()), fs::directory_iterator()), 1);
}

TEST_F(SavingPlaylists, AFailedSaveShowsTheErrorAndKeepsThePreviousFile) {
    startUp();
    writeAll(saves() / "keep.lst", " 0 \r\n");
    // A folder where the temporary file would go makes the write fail.
    fs::create_directory(saves() / "keep.lst.tmp");
    addSong("C:\\a.mp3");
    dialogs().inputAnswers.push_back("keep");
    player().cmdSave_Click();
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].title, "Error");
    EXPECT_EQ(dialogs().boxes[0].icon, ui::MessageIcon::Error);
    EXPECT_NE(dialogs().boxes[0].text.find("keep.lst"), std::string::npos);
    EXPECT_EQ(readAll(saves() / "keep.lst"), " 0 \r\n");
}

TEST_F(SavingPlaylists, WithoutASavesFolderTheSaveReportsAnError) {
    startUp();
    fs::remove_all(saves());
    player().cmdSave_Click();
    EXPECT_EQ(dialogs().boxes.size(), 1u);
}

struct LoadingPlaylists : PlayerFixture {
    fs::path saves() { return folder.path() / "Saves"; }
};

TEST_F(LoadingPlaylists, TheStartUpPlaylistIsLoadedWhenThePlayerWindowIsCreated) {
    writeAll(saves() / "playlist.lst", "2\r\nC:\\a.mp3\r\nAy\r\nC:\\b.mp3\r\nBee\r\n");
    startUp();
    EXPECT_EQ(list().items, (std::vector<std::string>{"Ay", "Bee"}));
    EXPECT_EQ(player().mCount(), 2);
    EXPECT_EQ(player().mIndex, 0);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(LoadingPlaylists, NoStartUpPlaylistIsNormalAndSilent) {
    startUp();
    EXPECT_EQ(player().mCount(), 0);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(LoadingPlaylists, ABrokenStartUpPlaylistShowsAnErrorBox) {
    writeAll(saves() / "playlist.lst", "many\r\n");
    startUp();
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].title, "Error");
    EXPECT_EQ(player().mCount(), 0);
}

TEST_F(LoadingPlaylists, ACountOfZeroLoadsAnEmptyPlaylistWithSuccess) {
    startUp();
    addSong("C:\\a.mp3");
    writeAll(saves() / "none.lst", " 0 \r\n");
    EXPECT_TRUE(player().openIt2("none"));
    EXPECT_EQ(player().mCount(), 0);
    EXPECT_EQ(list().count(), 0);
    EXPECT_TRUE(player().mSongs.empty());
}

TEST_F(LoadingPlaylists, FailedLoadsLeaveThePlaylistExactlyAsItWas) {
    startUp();
    addSong("C:\\a.mp3");
    list().setListIndex(0);
    writeAll(saves() / "short.lst", " 3 \r\np0\r\nn0\r\np1\r\n");
    writeAll(saves() / "neg.lst", "-2\r\n");
    // Valid, but past the size a playlist may have.
    writeAll(saves() / "huge.lst",
             " 1 \r\nC:\\z.mp3\r\nz.mp3\r\n" + std::string(player::kMostPlaylistFileBytes, 'x'));
    for (const char* name : {"short", "neg", "absent", "huge"}) {
        EXPECT_FALSE(player().openIt2(name)) << name;
        EXPECT_EQ(player().mSongs, std::vector<std::string>{"C:\\a.mp3"});
        EXPECT_EQ(list().items, std::vector<std::string>{"a.mp3"});
        EXPECT_EQ(player().mCount(), 1);
    }
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(LoadingPlaylists, LoadingKeepsTheSongThatPlaysAndTheCurrentIndex) {
    startUp();
    addSongs({"a", "b"});
    playEntry(1);
    writeAll(saves() / "other.lst", " 1 \r\nC:\\z.mp3\r\nz.mp3\r\n");
    EXPECT_TRUE(player().openIt2("other"));
    EXPECT_TRUE(player().mPlaying);
    EXPECT_EQ(player().mIndex, 1);
    EXPECT_EQ(graph().state, FakeGraph::State::Running);
}

TEST_F(LoadingPlaylists, TheOpenDialogLoadsAnyFileAndCancelChangesNothing) {
    startUp();
    addSong("C:\\a.mp3");
    player().cmdOpenList_Click();
    EXPECT_EQ(dialogs().openFileFilters.back(), "Playlist (*.lst)|*.lst");
    EXPECT_EQ(player().mCount(), 1);

    const fs::path elsewhere = folder.path() / "elsewhere" / "set.lst";
    writeAll(elsewhere, " 1 \r\nC:\\q.wav\r\nq.wav\r\n");
    dialogs().openFileAnswers.push_back(elsewhere.string());
    toolkit.chooseMenu("mnuOpenPlaylist");
    EXPECT_EQ(list().items, std::vector<std::string>{"q.wav"});
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(LoadingPlaylists, TheOpenDialogReportsABrokenFileAndKeepsTheList) {
    startUp();
    addSong("C:\\a.mp3");
    const fs::path broken = folder.path() / "broken.lst";
    writeAll(broken, " 2 \r\nonly\r\n");
    dialogs().openFileAnswers.push_back(broken.string());
    player().cmdOpenList_Click();
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].icon, ui::MessageIcon::Error);
    EXPECT_EQ(player().mCount(), 1);
}

TEST_F(LoadingPlaylists, TheSaveMenuItemRunsTheSave) {
    startUp();
    dialogs().inputAnswers.push_back("menu");
    toolkit.chooseMenu("mnuSavePlaylist");
    EXPECT_TRUE(fs::exists(saves() / "menu.lst"));
}

}  // namespace
