// Varnok.exe beside the stand-in game: it learns the player's name from the
// console, answers game events with the reply texts and templates, and obeys
// "!replyoff" and "!ReplyON" typed in the chat.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "ports/ControlIds.h"
#include "support/StandInGame.h"
#include "support/VarnokApp.h"

using namespace std::chrono_literals;
using e2e::Millis;
using e2e::StandInGame;
using e2e::Transcript;
using Clock = std::chrono::steady_clock;

namespace {

const std::string kAnnouncement = "say ^7-{^0ZUL^7}-^4$^0pellow^4$ ^1Varnok V1.2B initilized";
const std::string kPlayer = "Padawan";  // as the console shows it: colour codes dropped

class ReplyEngine : public ::testing::Test {
  protected:
    void SetUp() override {
        game = std::make_unique<StandInGame>(gameFolder);
        ASSERT_TRUE(game->started()) << game->startError();
        started = Clock::now();
        app = std::make_unique<e2e::VarnokApp>(appFolder);
        ASSERT_TRUE(app->started()) << app->startError();
        running = Clock::now();
        ASSERT_TRUE(
            e2e::waitUntil([&] { return status().find(kPlayer) != std::string::npos; }, 10s))
            << "status line: " << status();
    }

    std::string status() const { return app->controlText("lblPlatform").value_or(""); }

    bool waitForLine(const std::string& line, Millis timeout = 5s) {
        return game->waitForTranscript([&](const Transcript& t) { return e2e::hasLine(t, line); },
                                       timeout);
    }
    int count(const std::string& line) const { return e2e::countLine(game->transcript(), line); }
    // Lets Varnok take the text printed so far in a turn of its own.
    static void settle() { std::this_thread::sleep_for(300ms); }

    // A console line as the game prints it: its colour codes and "\n" line end
    // become what the pane shows.
    bool printLine(const std::string& text) { return game->print(text + "\\n"); }

    void setTemplate(const std::string& field, const std::string& text) {
        ASSERT_TRUE(e2e::setWindowText(app->control(field), text)) << field;
    }

    // Opens the message editor on `menuItem`; the editor's window once it shows.
    HWND openEditor(const std::string& menuItem) {
        if (!app->chooseMenu(menuItem)) return nullptr;
        HWND editor = e2e::waitForTopLevelWindow(
            varnok::ui::windowClassName("mnuCustomize").c_str(), nullptr, app->process().id(), 5s);
        if (!editor || !e2e::waitUntil([&] { return e2e::isShown(editor); }, 5s)) return nullptr;
        if (!e2e::waitUntil([&] { return !e2e::isShown(app->mainWindow()); }, 5s)) return nullptr;
        return editor;
    }

    // Opens the message editor on `menuItem`, types the text, ticks the box, presses "Ok".
    void editMessage(const std::string& menuItem, const std::string& text) {
        HWND editor = openEditor(menuItem);
        ASSERT_NE(editor, nullptr);
        HWND field = GetDlgItem(editor, varnok::ui::controlId("txtMessage"));
        HWND box = GetDlgItem(editor, varnok::ui::controlId("chkEnabled"));
        HWND ok = GetDlgItem(editor, varnok::ui::controlId("Command1"));
        ASSERT_TRUE(field && box && ok);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                            SMTO_NORMAL, 2000, &ignored);
        SendMessageTimeoutA(box, BM_SETCHECK, BST_CHECKED, 0, SMTO_NORMAL, 2000, &ignored);
        PostMessageA(editor, WM_COMMAND, MAKEWPARAM(varnok::ui::controlId("Command1"), BN_CLICKED),
                     reinterpret_cast<LPARAM>(ok));
        ASSERT_TRUE(e2e::waitUntil([&] { return e2e::isShown(app->mainWindow()); }, 5s));
        ASSERT_FALSE(e2e::isShown(editor));
    }

    e2e::TempFolder gameFolder, appFolder;
    std::unique_ptr<StandInGame> game;
    std::unique_ptr<e2e::VarnokApp> app;
    // Varnok's gate began between the two: before its window showed.
    Clock::time_point started, running;
};

TEST_F(ReplyEngine, ThePlayersNameIsLearnedAndShownInTheStatusLine) {
    EXPECT_EQ(status().rfind("[ Current Player: Padawan  OS: ", 0), 0u) << status();
    EXPECT_TRUE(e2e::hasLine(game->transcript(), "name"));

    // The game's name holds colour codes; its console never shows them.
    ASSERT_TRUE(game->rename("^1Ky^7le^7"));
    EXPECT_TRUE(
        e2e::waitUntil([&] { return status().rfind("[ Current Player: Kyle  OS: ", 0) == 0; }, 5s))
        << status();
}

TEST_F(ReplyEngine, OwnEntryGivesTheAnnouncementAfterASecond) {
    const auto before = Clock::now();
    ASSERT_TRUE(game->enter());
    ASSERT_TRUE(waitForLine(kAnnouncement));
    const auto waited = Clock::now() - before;
    EXPECT_GE(waited, 950ms);
    EXPECT_LT(waited, 5s);
    settle();
    EXPECT_EQ(count(kAnnouncement), 1);
}

TEST_F(ReplyEngine, AGreetingSetInTheEditorGoesOutOnlyAfterTheFifteenSecondGate) {
    editMessage("mnuMsg0", "Welcome %d");
    ASSERT_LT(Clock::now() - started, 12s) << "too slow to test the gate";
    ASSERT_TRUE(game->enter("Kyle"));
    settle();
    std::this_thread::sleep_for(1s);
    EXPECT_FALSE(e2e::hasLine(game->transcript(), "say Welcome Kyle"));

    std::this_thread::sleep_until(running + 16s);
    ASSERT_TRUE(game->enter("Rosh"));
    EXPECT_TRUE(waitForLine("say Welcome Rosh"));
    ASSERT_TRUE(game->enter("Tavion"));
    settle();
    std::this_thread::sleep_for(1s);
    EXPECT_FALSE(e2e::hasLine(game->transcript(), "say Welcome Tavion"));
}

TEST_F(ReplyEngine, ADuelBegunAndWonSendsBothTemplatesWithTheNames) {
    setTemplate("txtDuelEngage", "%s faces %d");
    setTemplate("txtDuelWon", "%S beat %D");
    ASSERT_TRUE(printLine("Padawan^7 has become engaged in a duel with Kyle^7!"));
    ASSERT_TRUE(waitForLine("say Padawan faces Kyle"));
    settle();
    const auto before = Clock::now();
    ASSERT_TRUE(printLine("Kyle^7 was sabered by Padawan^7"));
    ASSERT_TRUE(waitForLine("say Padawan beat Kyle"));
    EXPECT_GE(Clock::now() - before, 650ms);
}

TEST_F(ReplyEngine, ReplyOffSilencesTheEventsAndReplyOnBringsThemBack) {
    ASSERT_TRUE(game->chat("!replyoff"));
    ASSERT_TRUE(waitForLine("say ^1Varnok terminated"));
    settle();
    ASSERT_TRUE(game->enter());
    settle();
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(count(kAnnouncement), 0);

    ASSERT_TRUE(game->chat("!ReplyON"));
    ASSERT_TRUE(waitForLine(kAnnouncement));
    settle();
    ASSERT_TRUE(game->enter());
    EXPECT_TRUE(game->waitForTranscript(
        [&](const Transcript& t) { return e2e::countLine(t, kAnnouncement) == 2; }, 5s));
}

TEST_F(ReplyEngine, ClosingTheEditorThroughItsFrameStoresNothingAndShowsTheMainWindow) {
    HWND editor = openEditor("mnuMsg2");
    ASSERT_NE(editor, nullptr);
    HWND field = GetDlgItem(editor, varnok::ui::controlId("txtMessage"));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("not kept"), SMTO_NORMAL,
                        2000, &ignored);
    PostMessageA(editor, WM_CLOSE, 0, 0);
    ASSERT_TRUE(e2e::waitUntil([&] { return e2e::isShown(app->mainWindow()); }, 5s));
    EXPECT_FALSE(e2e::isShown(editor));
    EXPECT_TRUE(IsWindow(editor));  // hidden, not destroyed

    ASSERT_EQ(openEditor("mnuMsg2"), editor);
    EXPECT_EQ(e2e::windowText(field).value_or("?"), "");
}

TEST_F(ReplyEngine, AClearBySomeoneElseIsFollowed) {
    ASSERT_TRUE(printLine("some text before the clear"));
    settle();
    ASSERT_TRUE(game->clearPane());
    ASSERT_TRUE(game->enter());
    EXPECT_TRUE(waitForLine(kAnnouncement));
}

// The game's pane replaces itself once it is full, and "/clear" would only
// wipe the player's in-game console: Varnok sends none for a full pane and
// answers what is printed there.
TEST_F(ReplyEngine, AFullPaneGetsNoClearAndItsLinesAreAnswered) {
    ASSERT_TRUE(game->fill(32700));
    ASSERT_TRUE(game->print("\\n"));  // the filler's last line ends
    settle();
    ASSERT_TRUE(game->enter());
    EXPECT_TRUE(waitForLine(kAnnouncement));
    EXPECT_EQ(count("/clear"), 0);
}

// The game stops answering for longer than Varnok waits for a message (a map
// load). Afterwards nothing is answered twice, and what follows is answered.
TEST_F(ReplyEngine, AStalledGameRepeatsNoReplyAndIsFollowedAfterwards) {
    setTemplate("txtDuelEngage", "%s vs %d!");
    setTemplate("txtDuelWon", "%s beat %d");
    ASSERT_TRUE(printLine("Padawan^7 has become engaged in a duel with Kyle^7!"));
    ASSERT_TRUE(waitForLine("say Padawan vs Kyle!"));
    settle();

    ASSERT_TRUE(game->hang(1800));
    std::this_thread::sleep_for(2500ms);  // the stall and a few turns after it
    ASSERT_TRUE(printLine("Kyle^7 was sabered by Padawan^7"));
    ASSERT_TRUE(waitForLine("say Padawan beat Kyle"));
    settle();
    EXPECT_EQ(count("say Padawan vs Kyle!"), 1);
    EXPECT_EQ(count("say Padawan beat Kyle"), 1);
    for (const std::string& line : game->transcript())
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
}

}  // namespace
