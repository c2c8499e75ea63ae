// The folder picker: it hides the main and player windows while open, and
// however it closes both come back; "Ok" adds the chosen folder's songs.
#include <filesystem>
#include <fstream>

#include "PlayerFixture.h"
#include "text/SystemPath.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

struct FolderPicker : PlayerFixture {
    FakeWindow& picker() { return fake<FakeWindow>(app->frmPickFolder.window); }
    FakeFolderList& folders() { return fake<FakeFolderList>(app->frmPickFolder.Dir); }
    FakeDriveList& drives() { return fake<FakeDriveList>(app->frmPickFolder.drv); }
    void openPicker() {
        startUp();
        playerWindow().show();
        fake<FakeButton>(player().cmdDir).click();
    }
};

TEST_F(FolderPicker, AddFolderShowsThePickerAndHidesBothWindows) {
    openPicker();
    EXPECT_TRUE(picker().visible());
    EXPECT_FALSE(mainWindow().visible());
    EXPECT_FALSE(playerWindow().visible());
    EXPECT_EQ(picker().spec.caption, "Pick Folder");
    EXPECT_EQ(picker().spec.clientWidth, 4725);
    EXPECT_EQ(picker().spec.clientHeight, 4275);
    drives().pick(1);  // changing the drive moves the folder list to it
    EXPECT_EQ(folders().path(), "z:");
}

TEST_F(FolderPicker, OkAddsTheSongsOfTheFolderListsPathAndBringsTheWindowsBack) {
    TempFolder music;
    std::ofstream(music.path() / "song.mp3") << "x";
    openPicker();
    folders().setPath(text::fromPath(music.path()));
    fake<FakeButton>(app->frmPickFolder.cmdOk).click();
    EXPECT_EQ(player().songDir, text::fromPath(music.path()));
    EXPECT_EQ(list().items, std::vector<std::string>{"song.mp3"});
    EXPECT_FALSE(picker().visible());
    EXPECT_TRUE(mainWindow().visible());
    EXPECT_TRUE(playerWindow().visible());
}

TEST_F(FolderPicker, CancelAndClosingTheFrameChangeNothingButBringTheWindowsBack) {
    TempFolder music;
    std::ofstream(music.path() / "song.mp3") << "x";
    openPicker();
    folders().setPath(text::fromPath(music.path()));
    fake<FakeButton>(app->frmPickFolder.cmdCancel).click();
    EXPECT_EQ(player().mSongs.size(), 0u);
    EXPECT_EQ(player().songDir, "");
    EXPECT_TRUE(mainWindow().visible());
    EXPECT_TRUE(playerWindow().visible());
    EXPECT_FALSE(picker().visible());

    toolkit.chooseMenu("mnuAddFolder");
    EXPECT_FALSE(mainWindow().visible());
    picker().close();
    EXPECT_EQ(player().mSongs.size(), 0u);
    EXPECT_TRUE(mainWindow().visible());
    EXPECT_FALSE(picker().visible());
    // Reopened, the folder list still shows the last path.
    EXPECT_EQ(folders().path(), text::fromPath(music.path()));
}

TEST_F(FolderPicker, OkWithAHiddenPlayerWindowShowsItToo) {
    startUp();
    ASSERT_FALSE(playerWindow().visible());
    app->frmPickFolder.open();
    fake<FakeButton>(app->frmPickFolder.cmdOk).click();
    EXPECT_TRUE(playerWindow().visible());
}

}  // namespace
