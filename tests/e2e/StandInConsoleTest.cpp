// The stand-in game seen from outside exactly as Varnok sees the real game:
// its console window's class, ids and order, the way prints reach the pane,
// how typed lines are taken and run, and the server behind it; driven through
// Varnok's own console link where Varnok would use it.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "ControlProtocol.h"
#include "console/ConsoleLink.h"
#include "platform/win32/Win32WindowManager.h"
#include "support/StandInGame.h"

using namespace std::chrono_literals;
using e2e::StandInGame;
using e2e::Transcript;

namespace {

constexpr int kInputId = 101, kCopyId = 1, kClearId = 3, kQuitId = 2, kPaneId = 100;

// Microseconds since 1970, the timing file's clock.
unsigned long long microsNow() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return (ticks - 116444736000000000ULL) / 10;
}

// The time of the first timing line "<time> <what>"; 0 when there is none.
unsigned long long stampOf(const Transcript& timing, const std::string& what) {
    for (const std::string& line : timing) {
        size_t blank = line.find(' ');
        if (blank != std::string::npos && line.substr(blank + 1) == what)
            return std::strtoull(line.c_str(), nullptr, 10);
    }
    return 0;
}

class StandInConsole : public ::testing::Test {
  protected:
    void SetUp() override { start({}); }

    void start(e2e::StandInOptions options) {
        game = std::make_unique<StandInGame>(folder, options);
        ASSERT_TRUE(game->started()) << game->startError();
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
    varnok::console::ConsoleLink link{desktop};
};

TEST_F(StandInConsole, ConsoleWindowIsTheGamesHiddenWindowWithItsChildrenAndLayouts) {
    HWND console = game->consoleWindow();
    ASSERT_NE(console, nullptr);
    EXPECT_EQ(e2e::className(console), "JAMP WinConsole");
    EXPECT_EQ(reinterpret_cast<HWND>(link.FindConsole()), console);
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
    EXPECT_EQ(reinterpret_cast<HWND>(
                  link.FindOutputPane(reinterpret_cast<varnok::console::WindowHandle>(console))),
              pane);
    LONG paneStyle = GetWindowLongA(pane, GWL_STYLE);
    EXPECT_TRUE((paneStyle & WS_VSCROLL) && (paneStyle & ES_MULTILINE) &&
                (paneStyle & ES_AUTOVSCROLL) && (paneStyle & ES_READONLY));
    DWORD_PTR limit = 0;
    SendMessageTimeoutA(pane, EM_GETLIMITTEXT, 0, 0, SMTO_BLOCK, 3000, &limit);
    EXPECT_EQ(limit, 0x7fffu);
    HWND gameWindow = reinterpret_cast<HWND>(link.findGameWindow());
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
    link.SendConsoleCommand("name");
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
    unsigned long long returned = microsNow();
    EXPECT_EQ(game->paneText().rfind("]echo late\r\n", 0), 0u) << game->paneText();
    EXPECT_TRUE(paneBecomes("]echo late\r\nlate \r\n")) << game->paneText();
    Transcript timing = game->timing();
    EXPECT_LT(stampOf(timing, "typed echo late"), returned);
    EXPECT_GT(stampOf(timing, "ran echo late"), returned);

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
    link.SendConsoleCommand("echo a;echo \"b;c\"  d // e");
    EXPECT_TRUE(paneBecomes("]echo a;echo \"b;c\"  d // e\r\na \r\nb;c d \r\n"))
        << game->paneText();

    // clear empties the in-game console only.
    link.SendConsoleCommand("/clear");
    link.SendConsoleCommand("clear");
    EXPECT_TRUE(
        paneBecomes("]echo a;echo \"b;c\"  d // e\r\na \r\nb;c d \r\n]/clear\r\n]clear\r\n"))
        << game->paneText();
    EXPECT_EQ(game->transcript(), (Transcript{"/echo one", "/echo two",
                                              "echo a;echo \"b;c\"  d // e", "/clear", "clear"}));
}

TEST_F(StandInConsole, SayComesBackAfterTheRoundTripAndTheServerDropsAFlood) {
    start({.roundTripMs = 400});
    link.SendConsoleCommand("say hello");
    auto sent = std::chrono::steady_clock::now();
    ASSERT_TRUE(game->waitForPane(
        [](const std::string& pane) { return pane.find("Padawan: hello\r\n") != pane.npos; }, 3s));
    EXPECT_GE(std::chrono::steady_clock::now() - sent, 350ms);

    // The server ignores a command within a second of the previous one.
    link.SendConsoleCommand(varnok::console::CommandLine("say_team " + std::string(200, 'x')));
    std::this_thread::sleep_for(1200ms);
    link.SendConsoleCommand(varnok::console::CommandLine("say_team " + std::string(200, 'y')));
    link.SendConsoleCommand("say too soon");
    EXPECT_TRUE(game->waitForPane(
        [](const std::string& pane) { return pane.find("(Padawan): yyy") != pane.npos; }, 3s));
    std::this_thread::sleep_for(500ms);
    std::string pane = game->paneText();
    EXPECT_NE(pane.find("(Padawan): " + std::string(150, 'y') + "\r\n"), std::string::npos);
    EXPECT_EQ(pane.find("Padawan: too soon"), std::string::npos) << pane;
    EXPECT_EQ(game->faults(),
              (Transcript{"flood say_team " + std::string(200, 'x'), "flood say too soon"}));

    // Without a server, say is unknown.
    ASSERT_TRUE(game->send("disconnect"));
    game->clearPane();
    link.SendConsoleCommand("say anyone?");
    EXPECT_TRUE(paneBecomes("]say anyone?\r\nUnknown command \"say\"\r\n")) << game->paneText();
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
    EXPECT_EQ(link.FindConsole(), 0u);
    EXPECT_NE(link.findGameWindow(), 0u);
    link.SendConsoleCommand("name");  // dropped: no console
    ASSERT_TRUE(game->openConsole());
    EXPECT_NE(link.FindConsole(), 0u);
    link.SendConsoleCommand("echo back");
    EXPECT_TRUE(paneBecomes("]echo back\r\nback \r\n")) << game->paneText();

    HWND gameWindow = game->gameWindow();
    EXPECT_TRUE(e2e::isShown(gameWindow));
    ASSERT_TRUE(game->hideGame());
    EXPECT_FALSE(e2e::isShown(gameWindow));
    link.windows().show(link.findGameWindow(), varnok::console::ShowCommand::Show);
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
