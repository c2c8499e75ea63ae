// Varnok.exe's music player from outside: a playlist written before start-up
// is loaded, a song plays and the position label and slider follow it, an
// unplayable entry is skipped, the next song is announced in the game's
// console, a saved playlist loads back identically, and once "Playlist" shows
// it the player window lies on the screen together with the main window.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <memory>
#include <regex>

#include "ports/ControlIds.h"
#include "support/Paths.h"
#include "support/StandInGame.h"
#include "support/TestAudio.h"
#include "support/VarnokApp.h"

using namespace std::chrono_literals;
using e2e::Transcript;

namespace {

constexpr auto kPatience = 20s;

class PlayerWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::fileExists(e2e::varnokExePath()));
        CreateDirectoryA(folder.file("Saves").c_str(), nullptr);
    }

    // A playlist file of `names` (files in the test folder) as Varnok writes them.
    std::string playlistOf(const std::vector<std::string>& names) {
        std::string text(1, ' ');
        text += std::to_string(names.size());
        text += " \r\n";
        for (const auto& name : names) text += folder.file(name) + "\r\n" + name + "\r\n";
        return text;
    }

    void start(const std::string& playlist) {
        folder.write("Saves\\playlist.lst", playlist);
        game = std::make_unique<e2e::StandInGame>(folder);
        ASSERT_TRUE(game->started()) << game->startError();
        app = std::make_unique<e2e::VarnokApp>(folder);
        ASSERT_TRUE(app->started()) << app->startError();
        ASSERT_TRUE(e2e::waitUntil([&] { return (player = app->window("frmPlay")) != nullptr; },
                                   kPatience));
    }

    HWND control(const char* name) const { return GetDlgItem(player, varnok::ui::controlId(name)); }

    LRESULT ask(const char* name, UINT message, WPARAM w = 0, LPARAM l = 0) const {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(control(name), message, w, l, SMTO_ABORTIFHUNG, 2000, &answer);
        return static_cast<LRESULT>(answer);
    }

    // The list box's entries (read as wide text, which crosses processes intact).
    std::vector<std::string> songNames() const {
        std::vector<std::string> names;
        const int count = static_cast<int>(ask("lstPlay", LB_GETCOUNT));
        for (int i = 0; i < count; ++i) {
            std::wstring text(static_cast<std::size_t>(ask("lstPlay", LB_GETTEXTLEN, i)) + 1,
                              L'\0');
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(control("lstPlay"), LB_GETTEXT, i,
                                reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                                &ignored);
            names.emplace_back(text.begin(),
                               text.begin() + static_cast<long>(wcslen(text.c_str())));
        }
        return names;
    }

    void clickPlayerButton(const char* name) const {
        PostMessageA(player, WM_COMMAND, MAKEWPARAM(varnok::ui::controlId(name), BN_CLICKED),
                     reinterpret_cast<LPARAM>(control(name)));
    }

    std::string positionText() const {
        return e2e::windowText(control("lblLength")).value_or("<no answer>");
    }

    bool waitForLine(const std::string& line) {
        return game->waitForTranscript([&](const Transcript& t) { return e2e::hasLine(t, line); },
                                       kPatience);
    }

    e2e::TempFolder folder;
    std::unique_ptr<e2e::StandInGame> game;
    std::unique_ptr<e2e::VarnokApp> app;
    HWND player = nullptr;
};

TEST_F(PlayerWindow, PlaysFollowsSkipsTheUnplayableAndAnnouncesTheNextSong) {
    ASSERT_TRUE(e2e::writeWav(folder.file("first.wav"), 2.0));
    ASSERT_TRUE(e2e::writeWav(folder.file("third.wav"), 3.0));
    folder.write("second.mp3", "not a song at all\r\n");
    start(playlistOf({"first.wav", "second.mp3", "third.wav"}));
    EXPECT_EQ(songNames(), (std::vector<std::string>{"first.wav", "second.mp3", "third.wav"}));

    ask("lstPlay", LB_SETCURSEL, 0);
    clickPlayerButton("cmdPlay");
    const std::regex following(R"(Position: [0-2]/2)");
    EXPECT_TRUE(
        e2e::waitUntil([&] { return std::regex_match(positionText(), following); }, kPatience))
        << positionText();
    EXPECT_EQ(ask("Slider3", TBM_GETRANGEMAX), 2);
    EXPECT_TRUE(e2e::waitUntil([&] { return ask("Slider3", TBM_GETPOS) >= 1; }, kPatience));

    // At the end of the first song the unplayable second is passed over.
    EXPECT_TRUE(waitForLine("echo ^1Currently Playing: ^4third.wav"));
    EXPECT_FALSE(e2e::hasLine(game->transcript(), "echo ^1Currently Playing: ^4second.mp3"));
    EXPECT_EQ(ask("lstPlay", LB_GETCURSEL), 2);
    EXPECT_EQ(ask("Slider3", TBM_GETRANGEMAX), 3);
    EXPECT_TRUE(
        e2e::waitUntil([&] { return positionText().find("/3") != std::string::npos; }, kPatience))
        << positionText();
}

TEST_F(PlayerWindow, AfterPlaylistBothWindowsLieInsideTheScreen) {
    start(playlistOf({}));
    // Shown once the start-up has placed both windows.
    ASSERT_TRUE(e2e::waitUntil([&] { return e2e::isShown(app->mainWindow()); }, kPatience));
    ASSERT_TRUE(app->clickButton("cmdViewPlay"));
    ASSERT_TRUE(e2e::waitUntil([&] { return e2e::isShown(player); }, kPatience));
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_EQ(width, 1280);
    ASSERT_EQ(height, 1024);
    for (HWND window : {app->mainWindow(), player}) {
        RECT frame{};
        ASSERT_TRUE(GetWindowRect(window, &frame));
        EXPECT_TRUE(frame.left >= 0 && frame.top >= 0 && frame.right <= width &&
                    frame.bottom <= height)
            << e2e::className(window) << " at " << frame.left << "," << frame.top << " to "
            << frame.right << "," << frame.bottom;
    }
}

TEST_F(PlayerWindow, TheVolumeSliderStartsAtFiveAndTakesTheUsersMove) {
    ASSERT_TRUE(e2e::writeWav(folder.file("song.wav"), 5.0));
    start(playlistOf({"song.wav"}));
    EXPECT_EQ(ask("sldVol", TBM_GETPOS), 5);
    EXPECT_EQ(ask("sldVol", TBM_GETRANGEMAX), 20);
    ask("lstPlay", LB_SETCURSEL, 0);
    clickPlayerButton("cmdPlay");
    ASSERT_TRUE(
        e2e::waitUntil([&] { return positionText().rfind("Position: ", 0) == 0; }, kPatience));
    ask("sldVol", TBM_SETPOS, TRUE, 16);
    PostMessageA(player, WM_VSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                 reinterpret_cast<LPARAM>(control("sldVol")));
    EXPECT_TRUE(app->responsive(5000));
    EXPECT_EQ(ask("sldVol", TBM_GETPOS), 16);
}

TEST_F(PlayerWindow, ASavedPlaylistLoadsBackIdentically) {
    ASSERT_TRUE(e2e::writeWav(folder.file("a.wav"), 1.0));
    ASSERT_TRUE(e2e::writeWav(folder.file("b.wav"), 1.0));
    const std::string original = playlistOf({"a.wav", "b.wav"});
    start(original);

    app->chooseMenu("mnuSavePlaylist");
    HWND prompt =
        e2e::waitForTopLevelWindow(nullptr, "Save Playlist", app->process().id(), kPatience);
    ASSERT_NE(prompt, nullptr);
    HWND answer = FindWindowExA(prompt, nullptr, "Edit", nullptr);
    ASSERT_NE(answer, nullptr);
    SendMessageTimeoutA(answer, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("copy"), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    const std::string saved = folder.file("Saves\\copy.lst");
    ASSERT_TRUE(e2e::waitUntil([&] { return e2e::fileExists(saved); }, kPatience));
    EXPECT_EQ(e2e::readFile(saved), original);

    app->chooseMenu("mnuClearList");
    ASSERT_TRUE(e2e::waitUntil([&] { return songNames().empty(); }, kPatience));
    ASSERT_TRUE(game->chat("!playlist copy"));
    EXPECT_TRUE(e2e::waitUntil(
        [&] {
            return songNames() == std::vector<std::string>{"a.wav", "b.wav"};
        },
        kPatience));
}

}  // namespace
