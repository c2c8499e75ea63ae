// The stand-in game seen from outside exactly as Varnok sees the real game:
// its console window's class, ids and order, the way prints reach the pane,
// how typed lines are taken and run, and the server behind it; driven through
// Varnok's own console link where Varnok would use it.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <thread>

#include "ControlProtocol.h"
#include "console/ConsoleLink.h"
#include "console/ConsoleWindows.h"
#include "console/WindowMouth.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32WindowManager.h"
#include "support/Paths.h"
#include "support/StandInGame.h"

using namespace std::chrono_literals;
using e2e::StandInGame;
using e2e::Transcript;

namespace {

constexpr int kInputId = 101, kCopyId = 1, kClearId = 3, kQuitId = 2, kPaneId = 100;

// What the timing file holds after "<time> <mark>", line by line.
Transcript notesAfter(const Transcript& timing, const std::string& mark) {
    Transcript notes;
    for (const std::string& line : timing) {
        size_t at = line.find(" " + mark);
        if (at != std::string::npos) notes.push_back(line.substr(at + 1 + mark.size()));
    }
    return notes;
}

// The server's verdicts ("took", "dropped") on the commands it processed,
// checking each against its frame time: a whole frame, and taken exactly when
// it came a window or more after the command before it, taken or not.
Transcript floodVerdicts(const Transcript& timing, long long windowMs, int frameMs) {
    Transcript verdicts;
    long long before = -1;
    for (const std::string& note : notesAfter(timing, "server ")) {
        char* rest = nullptr;
        const long long at = std::strtoll(note.c_str(), &rest, 10);
        verdicts.push_back(std::string(rest).substr(1, std::string(rest).find(' ', 1) - 1));
        EXPECT_EQ(at % frameMs, 0) << note;
        if (before >= 0) {
            EXPECT_EQ(verdicts.back() == "took", at - before >= windowMs)
                << note << " after " << before;
        }
        before = at;
    }
    return verdicts;
}

class StandInConsole : public ::testing::Test {
  protected:
    void SetUp() override { start({}); }

    // A game of its own: the one before has ended and its records are gone.
    void start(e2e::StandInOptions options) {
        game.reset();
        for (const char* record : {"transcript.log", "pane.log", "faults.log", "timing.log"})
            DeleteFileA(folder.file(record).c_str());
        game = std::make_unique<StandInGame>(folder, options);
        ASSERT_TRUE(game->started()) << game->startError();
    }

    bool paneHas(const std::string& text, e2e::Millis timeout = 3s) {
        return game->waitForPane(
            [&](const std::string& pane) { return pane.find(text) != std::string::npos; }, timeout);
    }

    // The timing file once the server has processed `count` commands.
    Transcript timingOnceServed(size_t count) {
        e2e::waitUntil([&] { return notesAfter(game->timing(), "server ").size() >= count; }, 5s);
        return game->timing();
    }

    // What a caller typing into the console does: the text, then WM_CHAR 13.
    void typeLine(const std::string& line) {
        HWND input = game->inputLine();
        ASSERT_NE(input, nullptr);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()),
                            SMTO_BLOCK, 3000, &ignored);
        SendMessageTimeoutA(input, WM_CHAR, 13, 1, SMTO_BLOCK, 3000, &ignored);
    }

    bool paneBecomes(const std::string& expected, e2e::Millis timeout = 3s) {
        return game->waitForPane([&](const std::string& pane) { return pane == expected; },
                                 timeout);
    }

    void pressButton(int id) {
        HWND console = game->consoleWindow();
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(console, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                            reinterpret_cast<LPARAM>(GetDlgItem(console, id)), SMTO_BLOCK, 3000,
                            &ignored);
    }

    e2e::TempFolder folder;
    std::unique_ptr<StandInGame> game;
    // Varnok's own user32 adapter, with a timeout that outlasts a slow Wine.
    varnok::platform::win32::Win32WindowManager desktop{3000};
    // Varnok's own way of finding the console and typing into it.
    struct Typist {
        explicit Typist(varnok::console::WindowManager& desktop)
            : windows(desktop), mouth(desktop) {}
        varnok::console::WindowHandle find() {
            return windows.findConfiguredConsole("", varnok::console::kConsoleTitle);
        }
        void type(const varnok::console::CommandLine& line) {
            const varnok::console::WindowHandle console = find();
            mouth.aim(console);
            chat.speakThrough(console != 0 ? &mouth : nullptr, false);
            chat.SendConsoleCommand(line);
        }
        varnok::platform::win32::Win32Clock clock;
        varnok::console::ConsoleWindows windows;
        varnok::console::WindowMouth mouth;
        varnok::console::ConsoleLink chat{clock};
    } link{desktop};
};

TEST_F(StandInConsole, ConsoleWindowIsTheGamesHiddenWindowWithItsChildrenAndLayouts) {
    HWND console = game->consoleWindow();
    ASSERT_NE(console, nullptr);
    EXPECT_EQ(e2e::className(console), "JAMP WinConsole");
    EXPECT_EQ(reinterpret_cast<HWND>(link.find()), console);
    EXPECT_FALSE(IsWindowVisible(console));
    LONG style = GetWindowLongA(console, GWL_STYLE);
    EXPECT_TRUE((style & WS_POPUP) && (style & WS_CAPTION) == WS_CAPTION &&
                (style & WS_MINIMIZEBOX));
    RECT client{};
    GetClientRect(console, &client);
    EXPECT_EQ(client.right - client.left, 600);
    EXPECT_EQ(client.bottom - client.top, 450);

    // Top of the z-order first: input line, Copy, Clear, Quit, pane.
    const int ids[] = {kInputId, kCopyId, kClearId, kQuitId, kPaneId};
    const char* captions[] = {"", "Copy", "Clear", "Quit", ""};
    for (int i = 0; i < 5; ++i) {
        HWND child = e2e::nthChild(console, i);
        ASSERT_NE(child, nullptr) << "child " << i;
        EXPECT_EQ(GetDlgCtrlID(child), ids[i]) << "child " << i;
        EXPECT_EQ(e2e::className(child), i == 0 || i == 4 ? "Edit" : "Button") << "child " << i;
        EXPECT_EQ(e2e::windowText(child).value_or("?"), captions[i]) << "child " << i;
        if (i >= 1 && i <= 3) {
            EXPECT_EQ(GetWindowLongA(child, GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON) << "child " << i;
        }
    }
    EXPECT_EQ(e2e::nthChild(console, 5), nullptr);
    // (An edit control takes its WS_BORDER off and draws the border itself.)
    LONG inputStyle = GetWindowLongA(game->inputLine(), GWL_STYLE);
    EXPECT_TRUE((inputStyle & ES_AUTOHSCROLL) && (inputStyle & WS_TABSTOP))
        << std::hex << inputStyle;
    HWND pane = game->outputPane();
    EXPECT_EQ(reinterpret_cast<HWND>(link.windows.FindOutputPane(
                  reinterpret_cast<varnok::console::WindowHandle>(console))),
              pane);
    LONG paneStyle = GetWindowLongA(pane, GWL_STYLE);
    EXPECT_TRUE((paneStyle & WS_VSCROLL) && (paneStyle & ES_MULTILINE) &&
                (paneStyle & ES_AUTOVSCROLL) && (paneStyle & ES_READONLY));
    DWORD_PTR limit = 0;
    SendMessageTimeoutA(pane, EM_GETLIMITTEXT, 0, 0, SMTO_BLOCK, 3000, &limit);
    EXPECT_EQ(limit, 0x7fffu);
    HWND gameWindow = reinterpret_cast<HWND>(link.windows.findGameWindow());
    EXPECT_EQ(gameWindow, game->gameWindow());
    EXPECT_EQ(e2e::className(gameWindow), "Jedi Knight\xAE: Jedi Academy (MP)");

    // Shown on request; closing it only hides it.
    ASSERT_TRUE(game->send("showconsole"));
    EXPECT_TRUE(e2e::isShown(console));
    PostMessageA(console, WM_CLOSE, 0, 0);
    EXPECT_TRUE(e2e::waitUntil([&] { return !IsWindowVisible(console); }, 2s));
    EXPECT_TRUE(IsWindow(console));

    // After a fatal error: Copy, Clear, Quit, pane, error box.
    ASSERT_TRUE(game->send("fatal Couldn't load level"));
    const int fatalIds[] = {kCopyId, kClearId, kQuitId, kPaneId, 10};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(GetDlgCtrlID(e2e::nthChild(console, i)), fatalIds[i]) << "child " << i;
    EXPECT_EQ(e2e::className(e2e::nthChild(console, 4)), "Static");
    EXPECT_EQ(e2e::nthChild(console, 5), nullptr);
    EXPECT_TRUE(e2e::isShown(console));
}

TEST_F(StandInConsole, PrintsLoseColourCodesAndGetWindowsLineEnds) {
    ASSERT_TRUE(game->print("^1Red ^8eight ^a a^^7b^9\\n"));
    ASSERT_TRUE(game->print("a\\rb\\nc\\n\\rd\\r\\n"));
    EXPECT_EQ(game->paneText(), "Red ^8eight ^a a^b^9\r\na\r\nb\r\nc\r\nd\r\n\r\n");
    game->clearPane();
    ASSERT_TRUE(game->print(std::string(20000, 'x') + "end"));
    std::string pane = game->paneText();
    EXPECT_EQ(pane.size(), 16383u);
    EXPECT_EQ(pane.substr(pane.size() - 4), "xend");

    // The game's own lines hold colour codes the pane never shows.
    game->clearPane();
    ASSERT_TRUE(game->enter("^1Kyle"));
    ASSERT_TRUE(game->other("^1Kyle", "hi"));
    ASSERT_TRUE(game->send("otherteam Rosh ^2attack"));
    ASSERT_TRUE(game->send("othertell Tavion psst"));
    ASSERT_TRUE(game->rename("^4Vader"));
    link.type("name");
    EXPECT_TRUE(paneBecomes(
        "Kyle entered the game\r\nKyle: hi\r\n(Rosh): attack\r\n[Tavion]: psst\r\n"
        "Padawan renamed to Vader\r\n]name\r\n\"name\" is:\"Vader\" default:\"Padawan\"\r\n"))
        << game->paneText();
}

TEST_F(StandInConsole, PaneIsReplacedOnceTheCountPassesItsMarkAndClearKeepsTheCount) {
    ASSERT_TRUE(game->fill(32700));
    ASSERT_TRUE(game->print(std::string(67, 'x')));
    EXPECT_EQ(game->paneText().size(), 32767u);
    ASSERT_TRUE(game->print("y"));
    EXPECT_EQ(game->paneText(), "y");

    // Clear empties the pane, but the count goes on: the reset comes early.
    ASSERT_TRUE(game->fill(32000));
    ASSERT_TRUE(game->clearPane());
    ASSERT_TRUE(game->print(std::string(767, 'x')));
    EXPECT_EQ(game->paneText().size(), 767u);
    ASSERT_TRUE(game->print("z\\n"));
    EXPECT_EQ(game->paneText(), "z\r\n");

    // An obituary comes in parts, so a reset can cut a line in two.
    ASSERT_TRUE(game->fill(32760));
    ASSERT_TRUE(game->kill("Kyle", "Padawan"));
    EXPECT_EQ(game->paneText(), " was sabered by Padawan\r\n");
    ASSERT_TRUE(game->kill("Vader"));
    EXPECT_EQ(game->paneText(), " was sabered by Padawan\r\nVader killed himself.\r\n");
}

TEST_F(StandInConsole, PrintsGoToTheSelectionAndCopyLeavesEverythingSelected) {
    HWND pane = game->outputPane();
    ASSERT_TRUE(game->print("one\\n"));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(pane, EM_SETSEL, 0, 0, SMTO_BLOCK, 3000, &ignored);
    ASSERT_TRUE(game->print("two\\n"));
    EXPECT_EQ(game->paneText(), "two\r\none\r\n");

    pressButton(kCopyId);
    DWORD_PTR selection = 0;
    SendMessageTimeoutA(pane, EM_GETSEL, 0, 0, SMTO_BLOCK, 3000, &selection);
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), 10);
    std::string copied;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            copied = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    EXPECT_EQ(copied, "two\r\none\r\n");
    ASSERT_TRUE(game->print("three\\n"));
    EXPECT_EQ(game->paneText(), "three\r\n");

    pressButton(kClearId);
    EXPECT_EQ(game->paneText(), "");
    pressButton(kQuitId);
    EXPECT_TRUE(game->process().waitForExit(5000));
}

TEST_F(StandInConsole, OnlyWmChar13IsEnterAndTheLineRunsAtTheFramesEnd) {
    HWND input = game->inputLine();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("name"), SMTO_BLOCK, 3000,
                        &ignored);
    SendMessageTimeoutA(input, WM_KEYDOWN, VK_RETURN, 0x001C0001, SMTO_BLOCK, 3000, &ignored);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(game->paneText(), "");
    EXPECT_EQ(e2e::windowText(input).value_or("?"), "name");

    // Posted, the key goes through the game's TranslateMessage and becomes WM_CHAR 13.
    PostMessageA(input, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    EXPECT_TRUE(paneBecomes("]name\r\n\"name\" is:\"Padawan\" default:\"Padawan\"\r\n"))
        << game->paneText();
    EXPECT_EQ(game->transcript(), (Transcript{"name"}));

    // '&' and '(' are the arrow keys' codes: they recall history lines.
    SendMessageTimeoutA(input, WM_CHAR, '&', 1, SMTO_BLOCK, 3000, &ignored);
    EXPECT_EQ(e2e::windowText(input).value_or("?"), "name");

    // "]" + the line is printed inside the WM_CHAR; the command runs later.
    game->clearPane();
    typeLine("echo late");
    unsigned long long returned = e2e::microsNow();
    EXPECT_EQ(game->paneText().rfind("]echo late\r\n", 0), 0u) << game->paneText();
    EXPECT_TRUE(paneBecomes("]echo late\r\nlate \r\n")) << game->paneText();
    EXPECT_LT(game->timeOf("typed echo late"), returned);
    EXPECT_GT(game->timeOf("ran echo late"), returned);

    // An empty line prints "]"; a line is read up to 1023 characters.
    game->clearPane();
    typeLine("");
    EXPECT_TRUE(paneBecomes("]\r\n")) << game->paneText();
    typeLine("echo " + std::string(2000, 'w'));
    EXPECT_EQ(game->transcript().back().size(), 1023u);

    // 255 characters fit the game's history buffer; 256 overrun it: a fault of the caller.
    EXPECT_TRUE(game->faults("overrun").size() == 1) << "the 1023-character line";
    typeLine("echo " + std::string(250, 'a'));
    EXPECT_EQ(game->faults("overrun").size(), 1u);
    typeLine("echo " + std::string(251, 'b'));
    ASSERT_EQ(game->faults("overrun").size(), 2u);
    EXPECT_EQ(game->faults("overrun").back().rfind("overrun 256 characters: echo bbb", 0), 0u);
}

TEST_F(StandInConsole, CommandBufferSplitsAndOnlyTheFirstLineOfAPumpLosesItsSlash) {
    ASSERT_TRUE(game->send("type /echo one\\n/echo two"));
    EXPECT_TRUE(paneBecomes("]/echo one\r\n]/echo two\r\none \r\nUnknown command \"/echo\"\r\n"))
        << game->paneText();

    game->clearPane();
    link.type("echo a;echo \"b;c\"  d // e");
    EXPECT_TRUE(paneBecomes("]echo a;echo \"b;c\"  d // e\r\na \r\nb;c d \r\n"))
        << game->paneText();

    // clear empties the in-game console only.
    link.type("/clear");
    link.type("clear");
    EXPECT_TRUE(
        paneBecomes("]echo a;echo \"b;c\"  d // e\r\na \r\nb;c d \r\n]/clear\r\n]clear\r\n"))
        << game->paneText();
    EXPECT_EQ(game->transcript(), (Transcript{"/echo one", "/echo two",
                                              "echo a;echo \"b;c\"  d // e", "/clear", "clear"}));
}

TEST_F(StandInConsole, ServerTakesOnlyAPacketsFirstCommandAndEveryCommandRestartsTheWindow) {
    // The two commands of one line run in one frame and leave in one packet.
    typeLine("say one;say two");
    ASSERT_TRUE(paneHas("Padawan: one\r\n"));
    EXPECT_GE(game->timeOf("shown Padawan: one") - game->timeOf("sent say one"), 30000u);
    const int oneWay = std::atoi(notesAfter(game->timing(), "packet up ").at(0).c_str());
    EXPECT_TRUE(oneWay >= 15 && oneWay <= 45) << oneWay;
    EXPECT_EQ(notesAfter(game->timing(), "packet up "), Transcript{std::to_string(oneWay) + " 2"});

    // The player's chat counts too, and a dropped command restarts the window.
    std::this_thread::sleep_for(1300ms);
    ASSERT_TRUE(game->chat("three"));
    std::this_thread::sleep_for(600ms);
    ASSERT_TRUE(game->chat("four"));
    std::this_thread::sleep_for(600ms);
    ASSERT_TRUE(game->chat("five"));  // more than a second after "three"
    EXPECT_EQ(floodVerdicts(timingOnceServed(5), 1000, 50),
              (Transcript{"took", "dropped", "took", "dropped", "dropped"}));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(game->paneText(), "]say one;say two\r\nPadawan: one\r\nPadawan: three\r\n");
    EXPECT_EQ(game->faults(), (Transcript{"flood say two", "flood say four", "flood say five"}));
    EXPECT_GT(game->timeOf("shown Padawan: three"), game->timeOf("control chat three"));
}

TEST_F(StandInConsole, FloodWindowAndServerFramesFollowTheOptions) {
    // A community server's longer window, at 40 server frames a second.
    start({.svFps = 40, .floodMs = 3000});
    for (const auto& [line, pause] :
         {std::pair{"say a", 1500ms}, {"say b", 3300ms}, {"say c", 0ms}}) {
        typeLine(line);
        std::this_thread::sleep_for(pause);
    }
    EXPECT_EQ(floodVerdicts(timingOnceServed(3), 3000, 25),
              (Transcript{"took", "dropped", "took"}));

    // Without the guard (a server the player hosts himself) every command runs.
    start({.floodMs = 0});
    typeLine("say x;say y");
    EXPECT_TRUE(paneHas("Padawan: x\r\nPadawan: y\r\n")) << game->paneText();
    EXPECT_TRUE(game->faults().empty());
}

TEST_F(StandInConsole, ChatComesBackAsTheGamePrintsIt) {
    start({.floodMs = 0});
    // The tokenizer's words joined by one blank, no quotes, "//" ending the text, "%" a ".".
    typeLine("say  50%  \"quoted\"   words // comment");
    ASSERT_TRUE(paneHas("words\r\n"));
    ASSERT_TRUE(game->chat("  spaced   out  %d \"q\" a//b"));
    ASSERT_TRUE(paneHas(" a\r\n"));
    typeLine("say_team go;tell 3 psst");
    ASSERT_TRUE(paneHas("]: psst\r\n"));
    ASSERT_TRUE(game->other("Rosh", "hi   \"there\""));
    // The whole line as printed, "^1Ky^2le^7: ^2" and the text, is cut to 149 bytes.
    ASSERT_TRUE(game->setName("^1Ky^2le"));
    ASSERT_TRUE(game->chat(std::string(200, 'x')));
    ASSERT_TRUE(paneHas("xx\r\n"));
    EXPECT_EQ(game->paneText(),
              "]say  50%  \"quoted\"   words // comment\r\nPadawan: 50. quoted words\r\n"
              "Padawan: spaced out .d q a\r\n]say_team go;tell 3 psst\r\n(Padawan): go\r\n"
              "[Padawan]: psst\r\nRosh: hi there\r\nKyle: " +
                  std::string(135, 'x') + "\r\n");

    // Without a server, chat is a command nobody knows.
    ASSERT_TRUE(game->send("disconnect"));
    game->clearPane();
    ASSERT_TRUE(game->chat("anyone?"));
    EXPECT_EQ(game->paneText(), "Unknown command \"say\"\r\n");
}

TEST_F(StandInConsole, JitterRepeatsForItsSeed) {
    const auto packetsOf = [&](int seed) {
        start({.seed = seed, .floodMs = 0});
        for (int i = 0; i < 5; ++i) {
            typeLine("say " + std::to_string(i));
            std::this_thread::sleep_for(120ms);
        }
        EXPECT_TRUE(paneHas("Padawan: 4\r\n"));
        // Each way's delays in order: "up <ms> <commands>", then "down <ms>".
        Transcript packets = notesAfter(game->timing(), "packet up ");
        for (const std::string& down : notesAfter(game->timing(), "packet down "))
            packets.push_back(down);
        return packets;
    };
    const Transcript first = packetsOf(7);
    ASSERT_EQ(first.size(), 10u);
    for (const std::string& packet : first) {
        const int oneWay = std::atoi(packet.c_str());
        EXPECT_TRUE(oneWay >= 15 && oneWay <= 45) << packet;
    }
    EXPECT_EQ(packetsOf(7), first);
    EXPECT_NE(packetsOf(8), first);
}

TEST_F(StandInConsole, CvarsAnswerLocallyAndTheGamesFoldersAreWriteProtected) {
    typeLine("se_language;se_language german;se_language;fs_basepath;fs_homepath;fs_game");
    ASSERT_TRUE(paneHas("\"fs_game\" is:"));
    typeLine("fs_game japlus;FS_BASEPATH C:\\;logfile");
    const std::string folderName = folder.text();
    EXPECT_TRUE(paneBecomes(
        "]se_language;se_language german;se_language;fs_basepath;fs_homepath;fs_game\r\n"
        "\"se_language\" is:\"english\" default:\"english\"\r\n"
        "\"se_language\" is:\"german\" default:\"english\"\r\n"
        "\"fs_basepath\" is:\"" +
        folderName + "\" default:\"" + folderName +
        "\"\r\n"
        "\"fs_homepath\" is:\"" +
        folderName + "\" default:\"" + folderName +
        "\"\r\n"
        "\"fs_game\" is:\"\" default:\"\"\r\n"
        "]fs_game japlus;FS_BASEPATH C:\\;logfile\r\n"
        "fs_game is write protected.\r\n"
        "fs_basepath is write protected.\r\n"
        "\"logfile\" is:\"0\" default:\"0\"\r\n"))
        << game->paneText();
    EXPECT_TRUE(notesAfter(game->timing(), "sent ").empty()) << "nothing went to the server";

    start({.basePath = "C:\\Games\\Academy", .game = "japlus", .language = "deutsch"});
    typeLine("fs_basepath;fs_game;se_language");
    EXPECT_TRUE(
        paneHas("\"fs_basepath\" is:\"C:\\Games\\Academy\" default:\"C:\\Games\\Academy\"\r\n"
                "\"fs_game\" is:\"japlus\" default:\"\"\r\n"
                "\"se_language\" is:\"deutsch\" default:\"english\"\r\n"))
        << game->paneText();
}

TEST_F(StandInConsole, EventLinesAreMadeOfTheLanguagesPhrases) {
    start({.language = "pirate"});
    for (const auto& [token, text] : {std::pair{"PLENTER", "boarded th' ship"},
                                      {"PLRENAME", "be now known as"},
                                      {"PLDUELACCEPT", "crossed blades with"},
                                      {"TIMELIMIT_HIT", "Th' sands be run out"},
                                      {"HIT_THE_KILL_LIMIT", "sank enough ships"},
                                      {"KILLED_SABER", "were cut down by"},
                                      {"KILLED_HIMSELF", "walked th' plank hisself"},
                                      {"killed_herself", "walked th' plank herself"}})
        ASSERT_TRUE(game->phrase(token, text)) << token;
    EXPECT_FALSE(game->phrase("PLLEAVE", "jumped ship"));
    ASSERT_TRUE(game->enter("^1Kyle") && game->duel("Padawan", "^1Kyle") &&
                game->kill("^1Kyle", "Padawan") && game->kill("Padawan") &&
                game->killedHerself("Jan") && game->rename("Rook"));
    typeLine("name Vader");
    ASSERT_TRUE(paneHas("Rook be now known as Vader\r\n")) << game->paneText();
    ASSERT_TRUE(game->timeLimit() && game->killLimit("Red") && game->killLimit("^4Vader") &&
                game->winLimit("Vader"));
    EXPECT_EQ(game->paneText(),
              "Kyle boarded th' ship\r\nPadawan crossed blades with Kyle!\r\n"
              "Kyle were cut down by Padawan\r\nPadawan walked th' plank hisself\r\n"
              "Jan walked th' plank herself\r\nPadawan be now known as Rook\r\n"
              "]name Vader\r\nRook be now known as Vader\r\nTh' sands be run out.\r\n"
              "Red sank enough ships.\r\nVader sank enough ships.\r\nVader hit the win limit.\r\n");
}

// The line the game's log begins with, as the game printed it into `pane`
// ("logfile opened on <asctime>" and a line end of its own), when it is the
// line of a time from `from` to `to`; empty otherwise.
std::string openedLineIn(const std::string& pane, std::time_t from, std::time_t to) {
    for (std::time_t at = from; at <= to; ++at) {
        std::string line = std::string("logfile opened on ") + std::asctime(std::localtime(&at));
        if (pane.find(line.substr(0, line.size() - 1) + "\r\n\r\n") != std::string::npos)
            return line + "\n";
    }
    return "";
}

TEST_F(StandInConsole, LogFileTakesEveryPrintOfTheGameOnceItsCvarIsOn) {
    const std::string logPath = folder.file("base\\qconsole.log");
    EXPECT_EQ(game->logPath(), logPath);
    ASSERT_TRUE(game->print("^1before\\n"));
    typeLine("logfile 1");
    ASSERT_TRUE(paneBecomes("before\r\n]logfile 1\r\n"));
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(e2e::fileExists(logPath)) << "the log opens with the next print";
    const std::time_t opening = std::time(nullptr);
    ASSERT_TRUE(game->print("^1first\\n"));
    const std::string opened = openedLineIn(game->paneText(), opening, std::time(nullptr));
    ASSERT_FALSE(opened.empty()) << game->paneText();

    // At 1 the file sees the bytes 4096 at a time.
    ASSERT_TRUE(e2e::fileExists(logPath));
    EXPECT_EQ(game->log(), "");
    const std::string written = opened + "^1first\n" + std::string(5000, 'x') + "\n";
    ASSERT_TRUE(game->print(std::string(5000, 'x') + "\\n"));
    EXPECT_TRUE(game->log() == written.substr(0, 4096));

    // Set to 0 the log takes nothing while the pane goes on; a log opened at 1
    // stays buffered at 2.
    ASSERT_TRUE(game->setLogfile(0) && game->print("unlogged\\n") && game->setLogfile(2));
    typeLine("echo ^2later");
    ASSERT_TRUE(paneHas("unlogged\r\n]echo later\r\nlater \r\n"));
    EXPECT_EQ(game->log().size(), 4096u);

    // Another program may read it while the game writes it (sharing writing, as
    // the CRT's fopen does), but not delete it.
    HANDLE reader = CreateFileA(logPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
    EXPECT_FALSE(DeleteFileA(logPath.c_str()));

    // The game's end writes the rest: every print as the game made it, not the
    // console window's echo of a typed line.
    ASSERT_TRUE(game->quit() && game->process().waitForExit(5000));
    EXPECT_TRUE(game->log() == written + "^2later \n") << game->log().substr(4000);

    // At 2 from the start, in the mod's folder, emptied when it opens: the
    // game prints the opened line after the print that opened the log.
    CreateDirectoryA(folder.file("japlus").c_str(), nullptr);
    folder.write("japlus\\qconsole.log", "an old log\n");
    start({.game = "japlus", .logfile = 2});
    EXPECT_EQ(game->logPath(), folder.file("japlus\\qconsole.log"));
    const std::time_t starting = std::time(nullptr);
    typeLine("echo ^3at once");
    ASSERT_TRUE(paneHas("once \r\n")) << game->paneText();
    const std::string openedAtTwo = openedLineIn(game->paneText(), starting, std::time(nullptr));
    EXPECT_EQ(game->paneText(), "]echo at once\r\nat " +
                                    openedAtTwo.substr(0, openedAtTwo.size() - 2) +
                                    "\r\n\r\nonce \r\n");
    EXPECT_EQ(game->log(), openedAtTwo + "^3at once \n");
    ASSERT_TRUE(game->setLogfile(0) && game->print("after\\n") && paneHas("after\r\n"));
    EXPECT_EQ(game->log(), openedAtTwo + "^3at once \n");
}

TEST_F(StandInConsole, StallsAndMapChangesStopTheWindowsAnswering) {
    HWND pane = game->outputPane();
    ASSERT_TRUE(e2e::answersWithin(pane, 1000));
    auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(game->hang(2000));
    EXPECT_TRUE(e2e::waitUntil([&] { return !e2e::answersWithin(pane, 300); }, 1s));
    EXPECT_TRUE(e2e::waitUntil([&] { return e2e::answersWithin(pane, 500); }, 10s));
    EXPECT_GE(std::chrono::steady_clock::now() - started, 1500ms);

    game->clearPane();
    ASSERT_TRUE(game->mapChange(1500));
    EXPECT_TRUE(e2e::waitUntil([&] { return !e2e::answersWithin(pane, 300); }, 1s));
    EXPECT_TRUE(paneBecomes(
        "------ Server Initialization ------\r\nServer: mp/ffa3\r\nLoading dll file jampgame.\r\n"
        "Loading dll file cgame.\r\nLoading dll file ui.\r\n",
        10s))
        << game->paneText();
}

TEST_F(StandInConsole, ConsoleCanBeClosedAndOpenedAgainAndTheGameWindowHidden) {
    ASSERT_TRUE(game->closeConsole());
    EXPECT_EQ(link.find(), 0u);
    EXPECT_NE(link.windows.findGameWindow(), 0u);
    link.type("name");  // dropped: no console
    ASSERT_TRUE(game->openConsole());
    EXPECT_NE(link.find(), 0u);
    link.type("echo back");
    EXPECT_TRUE(paneBecomes("]echo back\r\nback \r\n")) << game->paneText();

    HWND gameWindow = game->gameWindow();
    EXPECT_TRUE(e2e::isShown(gameWindow));
    ASSERT_TRUE(game->hideGame());
    EXPECT_FALSE(e2e::isShown(gameWindow));
    desktop.show(link.windows.findGameWindow(), varnok::console::ShowCommand::Show);
    EXPECT_TRUE(e2e::waitUntil([&] { return e2e::isShown(gameWindow); }, 2s));
    EXPECT_FALSE(game->send("no such command"));
    EXPECT_FALSE(game->send("hang soon"));
    EXPECT_TRUE(game->faults().empty());
}

TEST(StandInScript, RunsTimedLinesFromAScriptFile) {
    e2e::TempFolder folder;
    std::string script = folder.write("match.txt",
                                      "# a short match\r\n"
                                      "enter\r\n"
                                      "wait 1500\r\n"
                                      "   chat !commands\r\n"
                                      "wait 500\r\n"
                                      "type echo typed by the script\r\n");
    StandInGame game(folder, {.playerName = "Rey", .scriptPath = script});
    ASSERT_TRUE(game.started()) << game.startError();
    EXPECT_TRUE(game.waitForPane([](const std::string& pane) { return !pane.empty(); }, 2s));
    EXPECT_EQ(game.paneText(), "Rey entered the game\r\n");
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(game.paneText(), "Rey entered the game\r\n");
    EXPECT_TRUE(game.waitForPane(
        [](const std::string& pane) { return pane.find("script \r\n") != pane.npos; }, 5s));
    EXPECT_EQ(game.paneText(),
              "Rey entered the game\r\nRey: !commands\r\n]echo typed by the script\r\n"
              "typed by the script \r\n");
    EXPECT_EQ(game.transcript(), (Transcript{"echo typed by the script"}));
}

TEST(StandInStart, CanStartWithoutItsConsole) {
    e2e::TempFolder folder;
    StandInGame game(folder, {.openConsole = false, .hideGame = true});
    ASSERT_TRUE(game.started()) << game.startError();
    EXPECT_EQ(game.consoleWindow(), nullptr);
    EXPECT_FALSE(e2e::isShown(game.gameWindow()));
    ASSERT_TRUE(game.openConsole());
    EXPECT_NE(game.consoleWindow(), nullptr);
}

}  // namespace
