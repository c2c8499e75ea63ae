// "Add Folder": listing a folder's files by name, taking only song names, and
// the paths the playlist keeps for them.
#include <filesystem>
#include <fstream>

#include "PlayerFixture.h"
#include "player/FolderScan.h"
#include "text/SystemPath.h"

using namespace varnok;
using namespace varnok::fakes;
namespace fs = std::filesystem;

namespace {

void touch(const fs::path& file) {
    std::ofstream(file) << "x";
}

std::string native(const fs::path& folder, const std::string& name) {
    return text::fromPath(folder) + static_cast<char>(fs::path::preferred_separator) + name;
}

TEST(FileOrder, LettersCompareWithoutCaseAndCaseOnlyBreaksTies) {
    std::vector<std::string> names = {"b.mp3", "A.mp3", "a.mp3", "_x.mp3", "a.mp3x", "C.wav"};
    std::sort(names.begin(), names.end(), player::fileNameBefore);
    // "_" (0x5F) lies below the folded letters.
    EXPECT_EQ(names,
              (std::vector<std::string>{"_x.mp3", "A.mp3", "a.mp3", "a.mp3x", "b.mp3", "C.wav"}));
}

TEST(FileOrder, ListingSortsByNameAndLeavesOutFolders) {
    TempFolder dir;
    for (const char* n : {"zeta.mp3", "Alpha.wav", "beta.wma"}) touch(dir.path() / n);
    fs::create_directory(dir.path() / "inner.mp3");
    const auto names = player::listFileNames(dir.path());
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, (std::vector<std::string>{"Alpha.wav", "beta.wma", "zeta.mp3"}));
}

TEST(FileOrder, AFolderThatCannotBeListedGivesNothing) {
    TempFolder dir;
    EXPECT_FALSE(player::listFileNames(dir.path() / "absent"));
}

TEST(SongNames, OnlyTheLowerCaseSongEndingsCount) {
    for (const char* name :
         {"a.mp3", "a.wav", ".wma", "a.m4a", "a.aac", "a.flac", "a.ogg", "a.oga", "a.opus"})
        EXPECT_TRUE(player::isSongName(name)) << name;
    for (const char* name : {"a.MP3", "a.WAV", "a.Flac", "a.txt", "mp3", "flac", "a.mp3 ",
                             "a.opus.txt", "a.mp4", "a.fla"})
        EXPECT_FALSE(player::isSongName(name)) << name;
}

TEST(SongPaths, NamesDropTheirFolderAndFoldersGetOneSeparator) {
    EXPECT_EQ(player::fileNameOf("C:\\Music\\a b.mp3"), "a b.mp3");
    EXPECT_EQ(player::fileNameOf("/home/u/x.wav"), "x.wav");
    EXPECT_EQ(player::fileNameOf("plain.wma"), "plain.wma");
    const std::string sep(1, static_cast<char>(fs::path::preferred_separator));
    EXPECT_EQ(player::joinFolder("C:\\Music", "a.mp3"), "C:\\Music" + sep + "a.mp3");
    EXPECT_EQ(player::joinFolder("C:\\", "a.mp3"), "C:\\a.mp3");
}

TEST(SongPaths, EightBitNamesSurviveTheTripThroughTheFileSystem) {
    TempFolder dir;
    const std::string name = "Caf\xE9 \x80.mp3";  // e acute and the euro sign in Windows-1252
    touch(dir.path() / text::toPath(name));
    const auto names = player::listFileNames(dir.path());
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, std::vector<std::string>{name});
    EXPECT_EQ(text::fromPath(text::toPath("\x81\x9F")), "\x81\x9F");
}

struct AddFolder : PlayerFixture {};

TEST_F(AddFolder, OnlyFilesEndingInALowerCaseSongExtensionAreAdded) {
    startUp();
    TempFolder dir;
    for (const char* n : {"one.mp3", "two.WAV", "three.txt"}) touch(dir.path() / n);
    player().songDir = text::fromPath(dir.path());
    player().addFolder();
    EXPECT_EQ(list().items, std::vector<std::string>{"one.mp3"});
    EXPECT_EQ(player().mSongs, std::vector<std::string>{native(dir.path(), "one.mp3")});
    EXPECT_EQ(player().mSongs.size(), 1u);
    EXPECT_TRUE(fs::exists(text::toPath(player().mSongs[0])));
}

TEST_F(AddFolder, SongsComeInNameOrderSubFoldersAreSkippedAndAFolderAddedTwiceIsTwiceThere) {
    startUp();
    TempFolder dir;
    for (const char* n : {"c.wma", "B.wav", "a.mp3"}) touch(dir.path() / n);
    fs::create_directory(dir.path() / "sub");
    touch(dir.path() / "sub" / "deep.mp3");
    player().songDir = text::fromPath(dir.path());
    player().addFolder();
    player().addFolder();
    EXPECT_EQ(list().items,
              (std::vector<std::string>{"a.mp3", "B.wav", "c.wma", "a.mp3", "B.wav", "c.wma"}));
    EXPECT_EQ(player().mSongs.size(), 6u);
    EXPECT_EQ(player().mSongs[1], native(dir.path(), "B.wav"));
}

TEST_F(AddFolder, AMissingFolderAddsNothing) {
    startUp();
    player().songDir = text::fromPath(folder.path() / "gone");
    player().addFolder();
    EXPECT_EQ(player().mSongs.size(), 0u);
}

}  // namespace
