// The stand-in game seen from outside exactly as Varnok sees the real game:
// its windows' order and names, and its console driven through Varnok's own
// console link (typing into the input line, reading the output pane).

#include <gtest/gtest.h>

#include <chrono>
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

class StandInConsole : public ::testing::Test {
  protected:
    void SetUp() override { start({}); }

    void start(e2e::StandInOptions options) {
        game = std::make_unique<StandInGame>(folder, options);
        ASSERT_TRUE(game->started()) << game->startError();
    }

    // Types a command the way Varnok does and answers the pane afterwards.
    std::string typeAndRead(const std::string& command) {
        link.SendConsoleCommand(varnok::console::CommandLine(command));
        return game->paneText();
    }

    e2e::TempFolder folder;
    std::unique_ptr<StandInGame> game;
    // Varnok's own user32 adapter, with a timeout that outlasts a slow Wine.
    varnok::platform::win32::Win32WindowManager desktop{3000};
    varnok::console::ConsoleLink link{desktop};
};

TEST_F(StandInConsole, WindowsHaveTheGamesTitlesClassesAndChildOrder) {
    HWND console = game->consoleWindow();
    ASSERT_NE(console, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(link.FindConsole()), console);

    // Top of the z-order first: input line (no caption), three captioned buttons, pane.
    HWND input = e2e::nthChild(console, 0);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(e2e::className(input), "Edit");
    EXPECT_EQ(e2e::windowText(input).value_or("?"), "");
    for (int i = 1; i <= 3; ++i) {
        HWND button = e2e::nthChild(console, i);
        ASSERT_NE(button, nullptr) << "child " << i;
        EXPECT_EQ(e2e::className(button), "Button");
        EXPECT_FALSE(e2e::windowText(button).value_or("").empty()) << "child " << i;
    }
    HWND pane = reinterpret_cast<HWND>(
        link.FindOutputPane(reinterpret_cast<varnok::console::WindowHandle>(console)));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane, e2e::nthChild(console, 4));
    EXPECT_EQ(e2e::nthChild(console, 5), nullptr);
    LONG style = GetWindowLongA(pane, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_READONLY);

    // The enumeration reports the input line first.
    HWND firstEnumerated = nullptr;
    desktop.enumChildren(reinterpret_cast<varnok::console::WindowHandle>(console),
                         [&](varnok::console::WindowHandle child) {
                             firstEnumerated = reinterpret_cast<HWND>(child);
                             return false;
                         });
    EXPECT_EQ(firstEnumerated, input);

    HWND gameWindow = reinterpret_cast<HWND>(link.findGameWindow());
    ASSERT_NE(gameWindow, nullptr);
    EXPECT_EQ(gameWindow, game->gameWindow());
    EXPECT_EQ(e2e::className(gameWindow), "Jedi Knight\xAE: Jedi Academy (MP)");
}

TEST_F(StandInConsole, NameQueryPrintsTheNameLineAndIsTranscribed) {
    std::string pane = typeAndRead("name");
    EXPECT_EQ(pane, "]name\r\n\"name\" is:\"Padawan^7\" default:\"Padawan^7\"\r\n");
    pane = typeAndRead("/name");
    EXPECT_NE(pane.find("]/name\r\n\"name\" is:\"Padawan^7\" default:\"Padawan^7\"\r\n"),
              std::string::npos)
        << pane;
    EXPECT_EQ(game->transcript(), (Transcript{"name", "/name"}));
    // The input line is empty again after each command.
    EXPECT_EQ(e2e::windowText(game->inputLine()).value_or("?"), "");
}

TEST_F(StandInConsole, SayEchoAndClearBehaveLikeTheGameConsole) {
    EXPECT_EQ(typeAndRead("say ^1Maximized"), "]say ^1Maximized\r\nPadawan^7: ^1Maximized\r\n");
    EXPECT_EQ(typeAndRead("echo only for me"),
              "]say ^1Maximized\r\nPadawan^7: ^1Maximized\r\n]echo only for me\r\nonly for me\r\n");
    EXPECT_EQ(typeAndRead("/clear"), "");
    EXPECT_EQ(typeAndRead("bogus"), "]bogus\r\nUnknown command \"bogus^7\"\r\n");
    EXPECT_EQ(typeAndRead("clear"), "");
    EXPECT_EQ(game->transcript(),
              (Transcript{"say ^1Maximized", "echo only for me", "/clear", "bogus", "clear"}));
}

TEST_F(StandInConsole, ConsoleLinkReadsThePaneThroughItsMessages) {
    auto pane = link.FindOutputPane(link.FindConsole());
    EXPECT_EQ(link.ReadWindowText(pane), varnok::console::kNoTextSentinel);
    EXPECT_EQ(link.ReadTextLength(pane), 0);
    ASSERT_TRUE(game->print("Kyle^7 entered the game\\r\\n"));
    EXPECT_EQ(link.ReadTextLength(pane), 25);
    EXPECT_EQ(link.ReadWindowText(pane), "Kyle^7 entered the game\r\n");
}

TEST_F(StandInConsole, ControlChannelPrintsTheGamesLines) {
    EXPECT_TRUE(game->enter());
    EXPECT_TRUE(game->enter("Kyle"));
    EXPECT_TRUE(game->chat("!now"));
    EXPECT_TRUE(game->other("Kyle", "hi all"));
    EXPECT_TRUE(game->print("Timelimit hit.\\r\\n"));
    EXPECT_EQ(game->paneText(),
              "Padawan^7 entered the game\r\nKyle^7 entered the game\r\nPadawan^7: !now\r\n"
              "Kyle^7: hi all\r\nTimelimit hit.\r\n");
    EXPECT_TRUE(game->clearPane());
    EXPECT_EQ(game->paneText(), "");
    game->print("after the clear\\r\\n");
    EXPECT_EQ(game->paneLog(),
              "Padawan^7 entered the game\r\nKyle^7 entered the game\r\nPadawan^7: !now\r\n"
              "Kyle^7: hi all\r\nTimelimit hit.\r\nafter the clear\r\n");
    EXPECT_FALSE(game->send("no such command"));
    EXPECT_FALSE(game->send("hang soon"));
    // Control lines are not typed into the console.
    EXPECT_TRUE(game->transcript().empty());
}

TEST_F(StandInConsole, RenameChangesTheNameTheConsoleReports) {
    ASSERT_TRUE(game->rename("Kyle"));
    EXPECT_EQ(game->paneText(), "Padawan^7 renamed to Kyle^7\r\n");
    game->clearPane();
    EXPECT_EQ(typeAndRead("name"), "]name\r\n\"name\" is:\"Kyle^7\" default:\"Padawan^7\"\r\n");
    game->clearPane();
    EXPECT_EQ(typeAndRead("say hello"), "]say hello\r\nKyle^7: hello\r\n");
    ASSERT_TRUE(game->setName("Jan"));
    game->clearPane();
    game->chat("quiet");
    EXPECT_EQ(game->paneText(), "Jan^7: quiet\r\n");
}

TEST_F(StandInConsole, PaneIsEmptiedWhenAnAppendWouldPassItsCapacity) {
    ASSERT_TRUE(game->fill(32700));
    EXPECT_EQ(game->paneText().size(), 32700u);
    ASSERT_TRUE(game->print(std::string(67, 'x')));
    EXPECT_EQ(game->paneText().size(), standin::kPaneCapacity);
    ASSERT_TRUE(game->print("y"));
    EXPECT_EQ(game->paneText(), "y");
    ASSERT_TRUE(game->fill(100));
    EXPECT_EQ(game->paneText().size(), 100u);
    EXPECT_EQ(game->paneText().substr(0, 3), "y..");
    ASSERT_TRUE(game->fill(10));
    EXPECT_EQ(game->paneText().size(), 10u);
}

TEST_F(StandInConsole, ConsoleCanBeClosedAndOpenedAgainWhileTheGameStays) {
    game->print("before\\r\\n");
    ASSERT_TRUE(game->closeConsole());
    EXPECT_EQ(link.FindConsole(), 0u);
    EXPECT_NE(link.findGameWindow(), 0u);
    link.SendConsoleCommand("name");  // dropped: no console
    ASSERT_TRUE(game->openConsole());
    EXPECT_NE(link.FindConsole(), 0u);
    EXPECT_EQ(game->paneText(), "");
    link.SendConsoleCommand("echo back");
    EXPECT_EQ(game->paneText(), "]echo back\r\nback\r\n");
    EXPECT_EQ(game->transcript(), (Transcript{"echo back"}));
}

TEST_F(StandInConsole, GameWindowCanBeHiddenAndShown) {
    HWND gameWindow = game->gameWindow();
    EXPECT_TRUE(e2e::isShown(gameWindow));
    ASSERT_TRUE(game->hideGame());
    EXPECT_FALSE(e2e::isShown(gameWindow));
    link.windows().show(link.findGameWindow(), varnok::console::ShowCommand::Show);
    EXPECT_TRUE(e2e::waitUntil([&] { return e2e::isShown(gameWindow); }, 2s));
}

TEST_F(StandInConsole, HangStopsTheWindowsAnsweringForAWhile) {
    HWND pane = game->outputPane();
    ASSERT_TRUE(e2e::answersWithin(pane, 1000));
    auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(game->hang(3000));
    // The request is posted, and sent messages overtake posted ones: the hang
    // begins once the stand-in reaches it, not necessarily before the next probe.
    EXPECT_TRUE(e2e::waitUntil([&] { return !e2e::answersWithin(pane, 500); }, 2s));
    EXPECT_TRUE(e2e::waitUntil([&] { return e2e::answersWithin(pane, 500); }, 10s));
    EXPECT_GE(std::chrono::steady_clock::now() - started, 2500ms);
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
    EXPECT_EQ(game.paneText(), "Rey^7 entered the game\r\n");
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(game.paneText(), "Rey^7 entered the game\r\n");
    EXPECT_TRUE(game.waitForTranscript([](const Transcript& t) { return !t.empty(); }, 5s));
    EXPECT_EQ(game.paneText(),
              "Rey^7 entered the game\r\nRey^7: !commands\r\n]echo typed by the script\r\n"
              "typed by the script\r\n");
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
