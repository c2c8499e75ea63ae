// Playlist files: the format on disk, saving, the three ways of loading, and
// loads that fail without touching the playlist.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "PlayerFixture.h"
#include "player/M3uFile.h"
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

// M3U as music players write it: comments and blank lines between songs,
// absolute, rooted and relative paths with either separator, streams passed
// over, file URLs, any line end, blanks around a line; UTF-8 (a .m3u8, or any
// file with a byte order mark) whose line cannot be written is skipped.
TEST_F(PlaylistFormat, M3uAsMusicPlayersWriteIt) {
    using player::M3uText;
    using Entries = std::vector<player::PlaylistEntry>;
    const auto read = player::parseM3u(
        "#EXTM3U\r\n#EXTINF:215,Kyle - Theme\r\n  \r\n"
        "C:\\Music\\one.mp3\n"
        "D:/Music/two.wav\n"
        "sub/three.mp3\r"
        "..\\four.wma\r\n"
        "\\Root\\five.mp3\n"
        "\\\\server\\share\\six.mp3\n"
        "http://radio.example/stream\nHTTPS://x.example/a.mp3\n"
        "file:///E:/My%20Music/seven.mp3\n"
        "FILE://localhost/E:/eight.mp3\n"
        "file:///E:/two%0D%0Alines.mp3\n"
        "\tcaf\xE9.mp3  ",
        "C:\\Lists", M3uText::CodePage);
    ASSERT_EQ(read.outcome, player::PlaylistRead::Outcome::Read);
    EXPECT_EQ(read.entries, (Entries{{"C:\\Music\\one.mp3", "one.mp3"},
                                     {"D:\\Music\\two.wav", "two.wav"},
                                     {"C:\\Lists\\sub\\three.mp3", "three.mp3"},
                                     {"C:\\Lists\\..\\four.wma", "four.wma"},
                                     {"C:\\Root\\five.mp3", "five.mp3"},
                                     {"\\\\server\\share\\six.mp3", "six.mp3"},
                                     {"E:\\My Music\\seven.mp3", "seven.mp3"},
                                     {"E:\\eight.mp3", "eight.mp3"},
                                     {"C:\\Lists\\caf\xE9.mp3", "caf\xE9.mp3"}}));

    for (const M3uText text : {M3uText::Utf8, M3uText::CodePage}) {
        const auto marked =
            player::parseM3u("\xEF\xBB\xBF#EXTM3U\nok.mp3\nbad\xE9.mp3\n", "C:\\Lists", text);
        EXPECT_EQ(marked.entries, (Entries{{"C:\\Lists\\ok.mp3", "ok.mp3"}}));
    }

    std::string many;
    for (int i = 0; i <= player::kMostSongs; ++i) many += "s.mp3\n";
    EXPECT_EQ(player::parseM3u(many, "C:\\", M3uText::CodePage).entries.size(),
              static_cast<std::size_t>(player::kMostSongs));

    for (const char* nothing : {"", "#EXTM3U\r\n\r\nhttp://radio.example/live\r\n", "  \n\t\n"})
        EXPECT_EQ(player::parseM3u(nothing, "C:\\Lists", M3uText::Utf8).outcome,
                  player::PlaylistRead::Outcome::Failed)
            << nothing;
}

struct SavingPlaylists : PlayerFixture {
    fs::path saves() { return folder.path() / "Saves"; }
};

TEST_F(SavingPlaylists, SaveAndLoadBackGiveTheSamePairsInOrder) {
    startUp();
    player().cmdSave_Click();  // a cancelled prompt saves under the name ".lst"
    EXPECT_EQ(readAll(saves() / ".lst"), " 0 \r\n");
    EXPECT_TRUE(dialogs().boxes.empty());
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
    EXPECT_EQ(player().mSongs.size(), 2u);
    EXPECT_EQ(player().mSongs, (std::vector<std::string>{"C:\\Music\\one.mp3", "D:\\two.wma"}));
    EXPECT_EQ(list().items, (std::vector<std::string>{"one.mp3", "two.wma"}));
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

    fs::remove_all(saves());
    player().cmdSave_Click();
    EXPECT_EQ(dialogs().boxes.size(), 2u);
}

struct LoadingPlaylists : PlayerFixture {
    fs::path saves() { return folder.path() / "Saves"; }
};

TEST_F(LoadingPlaylists, TheStartUpPlaylistIsLoadedWhenThePlayerWindowIsCreated) {
    writeAll(saves() / "playlist.lst", "2\r\nC:\\a.mp3\r\nAy\r\nC:\\b.mp3\r\nBee\r\n");
    startUp();
    EXPECT_EQ(list().items, (std::vector<std::string>{"Ay", "Bee"}));
    EXPECT_EQ(player().mSongs.size(), 2u);
    EXPECT_EQ(player().mIndex, 0);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(LoadingPlaylists, NoStartUpPlaylistIsNormalAndSilent) {
    startUp();
    EXPECT_EQ(player().mSongs.size(), 0u);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(LoadingPlaylists, ABrokenStartUpPlaylistShowsAnErrorBox) {
    writeAll(saves() / "playlist.lst", "many\r\n");
    startUp();
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].title, "Error");
    EXPECT_EQ(player().mSongs.size(), 0u);

    // A folder where the playlist would be: the box gives the system's reason.
    fs::remove(saves() / "playlist.lst");
    fs::create_directory(saves() / "playlist.lst");
    player().loadPlaylist();
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[1].text,
              "Cannot read the playlist file \"" + (saves() / "playlist.lst").string() +
                  "\": " + std::make_error_code(std::errc::is_a_directory).message() + ".");
}

TEST_F(LoadingPlaylists, ACountOfZeroLoadsAnEmptyPlaylistWithSuccess) {
    startUp();
    addSong("C:\\a.mp3");
    writeAll(saves() / "none.lst", " 0 \r\n");
    EXPECT_TRUE(player().openIt2("none"));
    EXPECT_EQ(player().mSongs.size(), 0u);
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
    // A broken .lst is an error even with an M3U of its name beside it; an M3U
    // that names no song file is one too.
    writeAll(saves() / "broken.lst", "many\r\n");
    writeAll(saves() / "broken.m3u", "C:\\plain.mp3\n");
    writeAll(saves() / "streams.m3u8", "#EXTM3U\nhttp://radio.example/live\n");
    for (const char* name : {"short", "neg", "absent", "huge", "broken", "streams"}) {
        EXPECT_FALSE(player().openIt2(name)) << name;
        EXPECT_EQ(player().mSongs, std::vector<std::string>{"C:\\a.mp3"});
        EXPECT_EQ(list().items, std::vector<std::string>{"a.mp3"});
        EXPECT_EQ(player().mSongs.size(), 1u);
    }
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(LoadingPlaylists, LoadingKeepsTheSongThatPlaysAndTheCurrentIndex) {
    startPlaying({"a", "b"}, 1);
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
    EXPECT_EQ(dialogs().openFileFilters.back(),
              "Playlists (*.lst;*.m3u;*.m3u8)|*.lst;*.m3u;*.m3u8|Playlist (*.lst)|*.lst|"
              "M3U (*.m3u)|*.m3u|M3U UTF-8 (*.m3u8)|*.m3u8");
    EXPECT_EQ(player().mSongs.size(), 1u);

    const fs::path elsewhere = folder.path() / "elsewhere" / "set.lst";
    writeAll(elsewhere, " 1 \r\nC:\\q.wav\r\nq.wav\r\n");
    dialogs().openFileAnswers.push_back(elsewhere.string());
    toolkit.chooseMenu("mnuOpenPlaylist");
    EXPECT_EQ(list().items, std::vector<std::string>{"q.wav"});

    const fs::path m3u = folder.path() / "elsewhere" / "Mix.M3U";
    writeAll(m3u, "#EXTM3U\r\nC:\\r.mp3\r\n");
    dialogs().openFileAnswers.push_back(m3u.string());
    player().cmdOpenList_Click();
    EXPECT_EQ(list().items, std::vector<std::string>{"r.mp3"});
    EXPECT_TRUE(dialogs().boxes.empty());
}

// "!playlist <name>" reads <name>.lst, or when there is none <name>.m3u8,
// then <name>.m3u.
TEST_F(LoadingPlaylists, ANameWithoutALstFileTakesTheM3u8ThenTheM3u) {
    startUp();
    writeAll(saves() / "both.m3u8", "C:\\eight.mp3\n");
    writeAll(saves() / "both.m3u", "C:\\plain.mp3\n");
    writeAll(saves() / "plain.m3u", "C:\\plain.mp3\n");
    writeAll(saves() / "list.lst", " 1 \r\nC:\\l.mp3\r\nl.mp3\r\n");
    writeAll(saves() / "list.m3u8", "C:\\eight.mp3\n");
    const std::pair<const char*, const char*> loads[] = {
        {"both", "eight.mp3"}, {"plain", "plain.mp3"}, {"list", "l.mp3"}};
    for (const auto& [name, song] : loads) {
        EXPECT_TRUE(player().openIt2(name)) << name;
        EXPECT_EQ(list().items, std::vector<std::string>{song}) << name;
    }
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
    EXPECT_EQ(player().mSongs.size(), 1u);
}

TEST_F(LoadingPlaylists, TheSaveMenuItemRunsTheSave) {
    startUp();
    dialogs().inputAnswers.push_back("menu");
    toolkit.chooseMenu("mnuSavePlaylist");
    EXPECT_TRUE(fs::exists(saves() / "menu.lst"));
}

}  // namespace
