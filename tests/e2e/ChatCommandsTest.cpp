// The chat commands end to end: Varnok.exe beside the stand-in game, the local
// player's chat lines sent through the stand-in, Varnok's answers read from
// the transcript of what it typed into the game's console, and its windows
// looked at from outside.

#include <gtest/gtest.h>

#include <windows.h>
// windows.h first: commctrl.h builds on it.
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "ports/ControlIds.h"
#include "support/Paths.h"
#include "support/StandInGame.h"
#include "support/TestAudio.h"
#include "support/VarnokApp.h"

using namespace std::chrono_literals;
using e2e::StandInGame;
using e2e::Transcript;
using e2e::VarnokApp;

namespace {

constexpr auto kPatience = 15s;

class ChatCommandsEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::fileExists(e2e::varnokExePath()))
            << "Varnok.exe not found at " << e2e::varnokExePath();
        CreateDirectoryA(folder.file("Saves").c_str(), nullptr);
    }

    // A file in the "Saves" folder Varnok will run with.
    void save(const std::string& name, const std::string& content) {
        folder.write("Saves\\" + name, content);
    }

    // Songs in the test folder and the playlist file that lists them.
    void savePlaylist(const std::string& name, const std::vector<std::string>& songs) {
        std::string list = " " + std::to_string(songs.size()) + " \r\n";
        for (const std::string& song : songs) {
            const std::string path = folder.file(song);
            ASSERT_TRUE(e2e::writeWav(path, 30.0)) << path;
            list += path + "\r\n" + song + "\r\n";
        }
        save(name + ".lst", list);
    }

    // The game, then Varnok, which has learned the player's name when this returns.
    void start() {
        game = std::make_unique<StandInGame>(folder);
        ASSERT_TRUE(game->started()) << game->startError();
        app = std::make_unique<VarnokApp>(folder);
        ASSERT_TRUE(app->started()) << app->startError();
        ASSERT_TRUE(e2e::waitUntil(
            [&] {
                return app->controlText("lblPlatform")
                           .value_or("")
                           .find("Current Player: Padawan ") != std::string::npos;
            },
            kPatience))
            << app->controlText("lblPlatform").value_or("<no answer>");
    }

    // Waits until Varnok has read the console up to its end (it shows what it
    // read last in its ChatText label), so that what a test types next is
    // answered after what came before.
    void settle() {
        e2e::waitUntil(
            [&] {
                const std::string read = app->controlText("ChatText").value_or("");
                const std::string pane = game->paneText();
                return read.empty() ||
                       (pane.size() >= read.size() &&
                        pane.compare(pane.size() - read.size(), read.size(), read) == 0);
            },
            5s);
    }

    // Sends the local player's chat line and waits until Varnok has typed
    // `line`; answers what it typed after the chat line.
    Transcript chat(const std::string& message, const std::string& line) {
        settle();
        const Transcript typed = game->chatAndAwait(
            message, [&](const std::string& l) { return l == line; }, kPatience);
        EXPECT_TRUE(e2e::hasLine(typed, line)) << message << " did not give: " << line << "\n"
                                               << ::testing::PrintToString(game->transcript());
        return typed;
    }

    bool waitForLine(const std::string& line) {
        return game->waitForTranscript([&](const Transcript& t) { return e2e::hasLine(t, line); },
                                       kPatience);
    }

    HWND playerControl(const std::string& name) const {
        HWND player = e2e::findTopLevelWindow(varnok::ui::windowClassName("frmPlay").c_str(),
                                              nullptr, app->process().id());
        return player ? GetDlgItem(player, varnok::ui::controlId(name)) : nullptr;
    }

    LRESULT askPlayerControl(const std::string& name, UINT message) const {
        DWORD_PTR result = static_cast<DWORD_PTR>(-1);
        SendMessageTimeoutA(playerControl(name), message, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
        return static_cast<LRESULT>(result);
    }

    bool setMainText(const std::string& name, const std::string& text) {
        return e2e::setWindowText(app->control(name), text);
    }

    // "File > Save" with `name` typed into its input box; true once the file is there.
    bool saveThroughTheMenu(const std::string& name) {
        if (!app->chooseMenu("mnuSave")) return false;
        HWND box =
            e2e::waitForTopLevelWindow("#32770", "Save Messages", app->process().id(), kPatience);
        HWND answer = box ? FindWindowExA(box, nullptr, "Edit", nullptr) : nullptr;
        if (!answer) return false;
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(answer, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()),
                            SMTO_ABORTIFHUNG, 2000, &ignored);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return e2e::waitUntil([&] { return !IsWindow(box); }, kPatience);
    }

    // A media key pressed and released from this process, as a keyboard
    // would, then waits until Varnok has typed `line`; answers what it typed.
    Transcript pressMediaKey(WORD key, const std::string& line) {
        const std::size_t before = game->transcript().size();
        INPUT strokes[2] = {};
        strokes[0].type = INPUT_KEYBOARD;
        strokes[0].ki.wVk = key;
        strokes[0].ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
        strokes[1] = strokes[0];
        strokes[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        EXPECT_EQ(SendInput(2, strokes, sizeof(INPUT)), 2u);
        const bool answered = game->waitForTranscript(
            [&](const Transcript& t) {
                return std::find(t.begin() + std::min(before, t.size()), t.end(), line) != t.end();
            },
            kPatience);
        const Transcript all = game->transcript();
        EXPECT_TRUE(answered) << "key " << key << " did not give: " << line << "\n"
                              << ::testing::PrintToString(all);
        return Transcript(all.begin() + std::min(before, all.size()), all.end());
    }

    e2e::TempFolder folder;
    std::unique_ptr<StandInGame> game;
    std::unique_ptr<VarnokApp> app;
};

// The help lines' texts are pinned by the unit tests; here they must all
// reach the game, in order.
const Transcript& kHelp = varnok::commands::helpLines();

TEST_F(ChatCommandsEndToEnd, CommandsTypesAllFourteenHelpLinesInOrder) {
    start();
    const Transcript typed = chat("!commands", kHelp.back());
    EXPECT_EQ(typed, kHelp);
}

TEST_F(ChatCommandsEndToEnd, LoadFillsTheWindowsFromASavedReplyFileAndSaysSo) {
    save("duels.vnk",
         "Varnok -{ZUL}- $pellow$\r\nGood luck %d\r\ngg %d\r\nwell played %d\r\nWelcome %d\r\n 1 "
         "\r\noops\r\n 1 \r\nhi all\r\n 1 \r\ngg all\r\n 1 \r\n 1 \r\n 1 \r\n");
    start();
    chat("!load duels", "say ^7duels ^1loaded successfully");
    EXPECT_EQ(app->controlText("txtDuelEngage").value_or("?"), "Good luck %d");
    EXPECT_EQ(app->controlText("txtDuelWon").value_or("?"), "gg %d");
    EXPECT_EQ(app->controlText("txtDuelLost").value_or("?"), "well played %d");
}

TEST_F(ChatCommandsEndToEnd, LoadBringsBackWhatTheFileMenuSaved) {
    start();
    ASSERT_TRUE(setMainText("txtDuelEngage", "first %d"));
    ASSERT_TRUE(saveThroughTheMenu("mine"));
    const std::string file = folder.file("Saves\\mine.vnk");
    EXPECT_EQ(e2e::readFile(file).rfind("Varnok -{ZUL}- $pellow$\r\nfirst %d\r\n", 0), 0u);

    // Saving again replaces the file.
    ASSERT_TRUE(setMainText("txtDuelEngage", "second %d"));
    ASSERT_TRUE(saveThroughTheMenu("mine"));
    EXPECT_EQ(e2e::readFile(file).rfind("Varnok -{ZUL}- $pellow$\r\nsecond %d\r\n", 0), 0u);
    EXPECT_FALSE(e2e::fileExists(file + ".tmp")) << e2e::readFile(file + ".tmp");

    ASSERT_TRUE(setMainText("txtDuelEngage", "changed"));
    chat("!load mine", "say ^7mine ^1loaded successfully");
    EXPECT_EQ(app->controlText("txtDuelEngage").value_or("?"), "second %d");
}

TEST_F(ChatCommandsEndToEnd, LoadOfAMissingFileAnswersWithTheError) {
    start();
    const Transcript typed = chat("!load nothere", "say ^1Error opening file ^7nothere");
    EXPECT_EQ(typed, Transcript{"say ^1Error opening file ^7nothere"});
    EXPECT_TRUE(app->responsive(2000));  // no message box holds the main window
}

TEST_F(ChatCommandsEndToEnd, PlaylistLoadsByNameAndListSongsListsIt) {
    savePlaylist("rock", {"one.wav", "two.wav", "three.wav", "four.wav", "five.wav"});
    start();
    chat("!playlist rock", "say ^7 rock ^1loaded successfully");
    const std::string second = "echo ^1\"five.wav          ^2          ^3          ^4\"";
    const Transcript typed = chat("!listsongs", second);
    EXPECT_EQ(typed,
              (Transcript{"/clear",
                          "echo ^1\"one.wav          ^2two.wav          ^3three.wav          "
                          "^4four.wav\"",
                          second}));
}

TEST_F(ChatCommandsEndToEnd, PlaySearchPlaysAMatchAndSaysWhenThereIsNone) {
    savePlaylist("playlist", {"Alpha.wav", "Beta Song.wav"});
    start();
    const Transcript typed = chat("!play song", "say ^4Currently playing: ^3Beta Song.wav");
    // The song started: a failed start would have moved on and echoed the next one.
    EXPECT_EQ(typed, Transcript{"say ^4Currently playing: ^3Beta Song.wav"});
    EXPECT_EQ(askPlayerControl("lstPlay", LB_GETCURSEL), 1);
    chat("!play zzz", "say ^5No matches for zzz");
}

// The game prints whatever it has in one go: another player's line before
// the command, two commands at once, long chat right after a command, a print
// that replaces the whole pane. Every line of the player's runs, in order.
TEST_F(ChatCommandsEndToEnd, EveryCommandLineRunsHoweverTheLinesArrive) {
    start();
    ASSERT_TRUE(game->print("Kyle: hello\\nPadawan: !commands\\n"));
    ASSERT_TRUE(waitForLine(kHelp.back()));

    ASSERT_TRUE(game->print("Padawan: !mini\\nPadawan: !now\\n"));
    ASSERT_TRUE(game->waitForTranscript(
        [](const Transcript& t) {
            return !t.empty() && t.back().rfind("say ^4 It is currently: ", 0) == 0;
        },
        kPatience));
    const Transcript typed = game->transcript();
    EXPECT_EQ(typed[typed.size() - 2], "say ^1Minimized");

    ASSERT_TRUE(game->print("Padawan: !commands\\nKyle: " + std::string(400, 'x') + "\\n"));
    EXPECT_TRUE(game->waitForTranscript(
        [](const Transcript& t) { return e2e::countLine(t, kHelp.back()) == 2; }, kPatience));

    // Filled to just below the mark, the pane is replaced by the next print.
    ASSERT_TRUE(game->fill(32700));
    ASSERT_TRUE(game->print("\\n"));  // the filler's last line ends
    // Taken before the next print: a line start still waiting when the pane
    // is replaced is taken as continued by the replacing text.
    settle();
    ASSERT_TRUE(game->print("Padawan: !commands\\n" + std::string(100, 'y') + "\\n"));
    EXPECT_TRUE(game->waitForTranscript(
        [](const Transcript& t) { return e2e::countLine(t, kHelp.back()) == 3; }, kPatience));
    EXPECT_LT(game->paneText().size(), 10000u);  // replaced, not grown
}

// Song names come from files and playlists, not from Varnok: a long one is
// cut to what the game's line buffer holds, and one made to chain commands
// stays a single command, so the game neither overruns nor quits.
TEST_F(ChatCommandsEndToEnd, LongAndHostileSongNamesStayOneShortCommand) {
    const std::string longName = "Long" + std::string(296, 'o');
    const std::string path = folder.file("long.wav");
    ASSERT_TRUE(e2e::writeWav(path, 30.0));
    save("playlist.lst",
         " 2 \r\n" + path + "\r\n" + longName + "\r\n" + path + "\r\nx;quit \"//\r\n");
    start();
    chat("!listsongs", "/clear");
    chat("!play long", "say ^4Currently playing: ^3" + longName.substr(0, 228));
    chat("!play quit", "say ^4Currently playing: ^3x,quit '/ /");
    for (const std::string& line : game->transcript()) EXPECT_LE(line.size(), 255u) << line;
    EXPECT_TRUE(game->faults("overrun").empty());
    EXPECT_TRUE(game->send("print still here\\n")) << "the game quit";
}

// Text in the game is Windows-1252; the files are named in Unicode ("’" is
// U+2019, byte 0x92 in the code page). Both must meet on the same names.
TEST_F(ChatCommandsEndToEnd, NamesWithCodePageLettersLoadAndPlay) {
    ASSERT_EQ(GetACP(), 1252u);
    const std::filesystem::path root(folder.path());
    std::ofstream(root / L"Saves" / L"Kyle\u2019s duel.vnk", std::ios::binary)
        << "Varnok -{ZUL}- $pellow$\r\nGood luck %d\r\ngg %d\r\nwell played %d\r\nWelcome %d\r\n 1 "
           "\r\noops\r\n 1 \r\nhi all\r\n 1 \r\ngg all\r\n 1 \r\n 1 \r\n 1 \r\n";
    const std::string song = "Kyle\x92s Theme.wav";
    ASSERT_TRUE(e2e::writeWav(folder.file("theme.wav"), 30.0));
    ASSERT_TRUE(CreateDirectoryW((root / L"m\u00FAsica").c_str(), nullptr));
    ASSERT_TRUE(MoveFileW((root / L"theme.wav").c_str(),
                          (root / L"m\u00FAsica" / L"Kyle\u2019s Theme.wav").c_str()));
    save("playlist.lst", " 1 \r\n" + folder.file("m\xFAsica\\" + song) + "\r\n" + song + "\r\n");
    start();

    chat("!load Kyle\x92s duel", "say ^7Kyle\x92s duel ^1loaded successfully");
    EXPECT_EQ(app->controlText("txtDuelEngage").value_or("?"), "Good luck %d");
    const Transcript typed = chat("!play kyle", "say ^4Currently playing: ^3" + song);
    // A failed start would have echoed "Currently Playing:" with the next song.
    EXPECT_EQ(typed, Transcript{"say ^4Currently playing: ^3" + song});

    // A music player's UTF-8 playlist beside it names the same song relative
    // to the "Saves" folder; its line that the code page cannot write is skipped.
    save("mix.m3u8",
         "\xEF\xBB\xBF#EXTM3U\n#EXTINF:30,Kyle\n../m\xC3\xBAsica/Kyle\xE2\x80\x99s Theme.wav\n"
         "\xE6\x97\xA5.wav\n");
    chat("!playlist mix", "say ^7 mix ^1loaded successfully");
    EXPECT_EQ(chat("!play theme", "say ^4Currently playing: ^3" + song),
              Transcript{"say ^4Currently playing: ^3" + song});
    EXPECT_EQ(askPlayerControl("lstPlay", LB_GETCOUNT), 1);
}

TEST_F(ChatCommandsEndToEnd, NextPlaysTheFollowingSongAndAnnouncesIt) {
    savePlaylist("playlist", {"Alpha.wav", "Beta.wav"});
    start();
    const Transcript typed = chat("!next", "say ^4Currently playing: ^3Beta.wav");
    EXPECT_EQ(typed, (Transcript{"echo ^1Currently Playing: ^4Beta.wav",
                                 "say ^4Currently playing: ^3Beta.wav"}));
}

// The formats Windows plays through Media Foundation: a playlist of an M4A, a
// damaged FLAC, a FLAC and an OGG song walked with "!next", each song said once
// it plays, the damaged one passed over (and its successor echoed in its place).
TEST_F(ChatCommandsEndToEnd, NextWalksM4aFlacAndOggSongsAndPassesOverADamagedOne) {
    const std::vector<std::pair<std::string, std::string>> songs = {{"Alpha.m4a", "long.m4a"},
                                                                    {"Broken.flac", ""},
                                                                    {"Gamma.flac", "long.flac"},
                                                                    {"Delta.ogg", "long.ogg"}};
    std::string list = " " + std::to_string(songs.size()) + " \r\n";
    for (const auto& [name, source] : songs) {
        const std::string path = folder.file(name);
        if (source.empty())
            folder.write(name, std::string(4000, '\x5a'));
        else
            ASSERT_TRUE(
                CopyFileA((e2e::testAudioFolder() + "\\" + source).c_str(), path.c_str(), FALSE))
                << source << " (run scripts/make-test-audio.sh)";
        list += path + "\r\n" + name + "\r\n";
    }
    save("playlist.lst", list);
    start();
    chat("!play alpha", "say ^4Currently playing: ^3Alpha.m4a");
    EXPECT_EQ(chat("!next", "say ^4Currently playing: ^3Gamma.flac"),
              (Transcript{"echo ^1Currently Playing: ^4Gamma.flac",
                          "say ^4Currently playing: ^3Gamma.flac"}));
    EXPECT_EQ(askPlayerControl("lstPlay", LB_GETCURSEL), 2);
    EXPECT_EQ(chat("!next", "say ^4Currently playing: ^3Delta.ogg"),
              (Transcript{"echo ^1Currently Playing: ^4Delta.ogg",
                          "say ^4Currently playing: ^3Delta.ogg"}));
    EXPECT_EQ(askPlayerControl("Slider3", TBM_GETRANGEMAX), 30);
}

TEST_F(ChatCommandsEndToEnd, PauseThenPlayResumes) {
    savePlaylist("playlist", {"Alpha.wav"});
    start();
    chat("!play alpha", "say ^4Currently playing: ^3Alpha.wav");
    chat("!pause", "say ^1Playback Paused");
    chat("!play", "say ^1Playback Resumed");
}

TEST_F(ChatCommandsEndToEnd, VolTwelveMovesTheVolumeSlider) {
    start();
    ASSERT_EQ(askPlayerControl("sldVol", TBM_GETPOS), 5);
    settle();
    ASSERT_TRUE(game->chat("!vol 12"));
    EXPECT_TRUE(
        e2e::waitUntil([&] { return askPlayerControl("sldVol", TBM_GETPOS) == 8; }, kPatience));
}

TEST_F(ChatCommandsEndToEnd, MiniHidesTheGameAndBackToGameShowsIt) {
    start();
    ASSERT_TRUE(e2e::isShown(game->gameWindow()));
    chat("!mini", "say ^1Minimized");
    EXPECT_FALSE(e2e::isShown(game->gameWindow()));
    EXPECT_TRUE(e2e::isShown(app->mainWindow()));

    ASSERT_TRUE(app->clickButton("cmdBack"));
    EXPECT_TRUE(waitForLine("say ^1Maximized"));
    EXPECT_TRUE(e2e::waitUntil([&] { return e2e::isShown(game->gameWindow()); }, kPatience));
}

TEST_F(ChatCommandsEndToEnd, NowSaysTodaysDateAndTime) {
    start();
    const std::string prefix = "say ^4 It is currently: ^1";
    settle();
    ASSERT_TRUE(game->chat("!now"));
    ASSERT_TRUE(game->waitForTranscript(
        [&](const Transcript& t) {
            return std::any_of(t.begin(), t.end(),
                               [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
        },
        kPatience))
        << game->paneText() << "\nlog:\n"
        << game->log();
    std::string said;
    for (const std::string& line : game->transcript())
        if (line.rfind(prefix, 0) == 0) said = line.substr(prefix.size());
    SYSTEMTIME now;
    GetLocalTime(&now);
    char today[16];
    snprintf(today, sizeof today, "%04u-%02u-%02u ", now.wYear, now.wMonth, now.wDay);
    ASSERT_EQ(said.size(), 19u) << said;
    EXPECT_EQ(said.substr(0, 11), today);
    EXPECT_EQ(said[13], ':');
    EXPECT_EQ(said[16], ':');
}

// The four media keys, pressed as keyboard input in another process (this
// one), reach Varnok and do what their chat commands do; the "Media Keys" menu
// item gives them back to the system and takes them again.
TEST_F(ChatCommandsEndToEnd, MediaKeysDoWhatTheirCommandsDoAndTheMenuItemLetsThemGo) {
    savePlaylist("playlist", {"Alpha.wav", "Beta.wav"});
    start();
    const std::string sayAlpha = "say ^4Currently playing: ^3Alpha.wav";
    EXPECT_EQ(pressMediaKey(VK_MEDIA_PLAY_PAUSE, sayAlpha),
              (Transcript{"echo ^1Currently Playing: ^4Alpha.wav", sayAlpha}));
    EXPECT_EQ(pressMediaKey(VK_MEDIA_PLAY_PAUSE, "say ^1Playback Paused"),
              Transcript{"say ^1Playback Paused"});
    EXPECT_EQ(pressMediaKey(VK_MEDIA_PLAY_PAUSE, "say ^1Playback Resumed"),
              Transcript{"say ^1Playback Resumed"});
    const std::string sayBeta = "say ^4Currently playing: ^3Beta.wav";
    EXPECT_EQ(pressMediaKey(VK_MEDIA_NEXT_TRACK, sayBeta),
              (Transcript{"echo ^1Currently Playing: ^4Beta.wav", sayBeta}));
    EXPECT_EQ(pressMediaKey(VK_MEDIA_PREV_TRACK, sayAlpha), Transcript{sayAlpha});
    EXPECT_EQ(pressMediaKey(VK_MEDIA_STOP, "say ^1Playback Stopped"),
              Transcript{"say ^1Playback Stopped"});

    // Turned off, every key is free for another program, this one here; turned
    // on again, they are Varnok's. The menu choice is sent, not posted, so that
    // it has been carried out when the call returns.
    const auto chooseMediaKeys = [&] {
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutA(app->mainWindow(), WM_COMMAND,
                                   MAKEWPARAM(varnok::ui::controlId("mnuMediaKeys"), 0), 0,
                                   SMTO_ABORTIFHUNG, 15000, &ignored) != 0;
    };
    ASSERT_TRUE(chooseMediaKeys());
    for (UINT key :
         {VK_MEDIA_NEXT_TRACK, VK_MEDIA_PREV_TRACK, VK_MEDIA_PLAY_PAUSE, VK_MEDIA_STOP}) {
        EXPECT_TRUE(RegisterHotKey(nullptr, 1, 0, key)) << key;
        UnregisterHotKey(nullptr, 1);
    }
    ASSERT_TRUE(chooseMediaKeys());
    pressMediaKey(VK_MEDIA_PLAY_PAUSE, sayAlpha);
}

}  // namespace
