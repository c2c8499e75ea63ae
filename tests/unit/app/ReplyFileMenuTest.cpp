#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "fakes/AppFixture.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

const std::string kSavePrompt =
    "Enter the name of the file you want to open (exlude the extension.)";

struct ReplyFiles : ::testing::Test, AppFixture {
    ReplyFiles() { startUp(); }

    FakeDialogs& dialogs() { return toolkit.fakeDialogs(); }
    FakeCheckBox& docking() { return fake<FakeCheckBox>(app->frmMain.chkPlaylist); }
    FakeCheckBox& sayPlaying() { return fake<FakeCheckBox>(app->frmPlay.Check1); }
    std::filesystem::path saved(const std::string& name) { return app->savesFolder() / name; }

    void write(const std::filesystem::path& file, const std::string& content) {
        std::ofstream(file, std::ios::binary) << content;
    }
    std::string read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    void fillWindows() {
        app->frmMain.txtDuelEngage->setText("go %d");
        app->frmMain.txtDuelWon->setText("won vs %d");
        app->frmMain.txtDuelLost->setText("lost to %d");
        replies::ReplyMessages& m = app->frmMain.messages;
        m.Greet = "Welcome %d";
        m.GreetEn = 1;
        m.Death = "ouch";
        m.DeathEn = 0;
        m.Enter = "hello all";
        m.EnterEn = 1;
        m.limit = "gg";
        m.Limiten = 2;
        docking().setValue(0);
        sayPlaying().setValue(2);
    }

    // What the windows hold, as the text a reply file of them would have.
    std::string windowsAsText() {
        const replies::ReplyMessages& m = app->frmMain.messages;
        std::ostringstream s;
        s << app->frmMain.txtDuelEngage->text() << '|' << app->frmMain.txtDuelWon->text() << '|'
          << app->frmMain.txtDuelLost->text() << '|' << m.Greet << int(m.GreetEn) << '|' << m.Death
          << int(m.DeathEn) << '|' << m.Enter << int(m.EnterEn) << '|' << m.limit << int(m.Limiten)
          << '|' << docking().value() << sayPlaying().value();
        return s.str();
    }
};

const std::string kCurrentFile =
    "Varnok -{ZUL}- $pellow$\r\nE %s\r\nW %d\r\nL\r\nG\r\n 1 \r\nD\r\n 1 \r\nN\r\n 0 \r\nT\r\n 1 "
    "\r\n 1 \r\n 0 \r\n";

// An existing file of that name is replaced without a question.
TEST_F(ReplyFiles, SaveAsksForTheNameAndWritesTheWindowsIntoTheSavesFolder) {
    write(saved("duels.vnk"), "old content");
    fillWindows();
    dialogs().inputAnswers.push_back("duels");
    toolkit.chooseMenu("mnuSave");
    ASSERT_EQ(dialogs().prompts.size(), 1u);
    EXPECT_EQ(dialogs().prompts[0].prompt, kSavePrompt);
    EXPECT_EQ(dialogs().prompts[0].title, "Save Messages");
    EXPECT_EQ(dialogs().prompts[0].proposed, "main");
    EXPECT_EQ(read(saved("duels.vnk")),
              "Varnok -{ZUL}- $pellow$\r\ngo %d\r\nwon vs %d\r\nlost to %d\r\nWelcome %d\r\n 1 "
              "\r\nouch\r\n 0 \r\nhello all\r\n 1 \r\ngg\r\n 2 \r\n 0 \r\n 2 \r\n");
    EXPECT_TRUE(dialogs().boxes.empty());
    EXPECT_FALSE(std::filesystem::exists(saved("duels.vnk.tmp")));
}

TEST_F(ReplyFiles, AnEmptyAnswerOrCancelSavesTheFileNamedDotVnk) {
    toolkit.chooseMenu("mnuSave");  // no scripted answer: Cancel
    EXPECT_TRUE(std::filesystem::exists(saved(".vnk")));
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(ReplyFiles, AFailedSaveShowsTheErrorAndKeepsThePreviousFile) {
    write(saved("keep.vnk"), kCurrentFile);
    // A text with a line break is not saved.
    app->frmMain.messages.Greet = "two\r\nlines";
    dialogs().inputAnswers.push_back("keep");
    toolkit.chooseMenu("mnuSave");
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(read(saved("keep.vnk")), kCurrentFile);

    // A folder where the temporary file would go makes the write fail.
    app->frmMain.messages.Greet = "one line";
    std::filesystem::create_directory(saved("keep.vnk.tmp"));
    dialogs().inputAnswers.push_back("keep");
    toolkit.chooseMenu("mnuSave");
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[1].title, "Error");
    EXPECT_EQ(dialogs().boxes[1].icon, ui::MessageIcon::Error);
    EXPECT_NE(dialogs().boxes[1].text.find("keep.vnk"), std::string::npos);
    EXPECT_EQ(read(saved("keep.vnk")), kCurrentFile);

    std::filesystem::remove_all(app->savesFolder());
    dialogs().inputAnswers.push_back("main");
    toolkit.chooseMenu("mnuSave");
    ASSERT_EQ(dialogs().boxes.size(), 3u);
    EXPECT_EQ(dialogs().boxes[2].title, "Error");
}

TEST_F(ReplyFiles, SavedAndOpenedAgainGivesBackTheSameSet) {
    fillWindows();
    const std::string before = windowsAsText();
    dialogs().inputAnswers.push_back("round");
    toolkit.chooseMenu("mnuSave");

    app->frmMain.txtDuelEngage->setText("changed");
    app->frmMain.messages = {};
    docking().setValue(1);
    sayPlaying().setValue(0);
    ASSERT_NE(windowsAsText(), before);

    dialogs().openFileAnswers.push_back(saved("round.vnk").string());
    toolkit.chooseMenu("mnuOpen");
    EXPECT_EQ(dialogs().openFileFilters, std::vector<std::string>{"Varnock  (*.vnk)|*.vnk"});
    EXPECT_EQ(windowsAsText(), before);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(ReplyFiles, OpeningAFileThatUndocksThePlayerMovesIt) {
    std::string file = kCurrentFile;
    file.replace(file.size() - 10, 10, " 0 \r\n 1 \r\n");
    write(saved("right.vnk"), file);
    dialogs().openFileAnswers.push_back(saved("right.vnk").string());
    toolkit.chooseMenu("mnuOpen");
    EXPECT_EQ(docking().value(), 0);
    EXPECT_EQ(sayPlaying().value(), 1);
    const ui::Frame main = mainWindow().frame();
    EXPECT_EQ(playerWindow().frame().left, main.left + main.width);
    EXPECT_EQ(playerWindow().frame().top, main.top);
}

TEST_F(ReplyFiles, TheOlderHeaderLeavesBothCheckBoxesAsTheyWere) {
    write(saved("old.vnk"),
          "Varnock [RW] Pellow\r\ne\r\nw\r\nl\r\ng\r\n1\r\nd\r\n 2 \r\nn\r\n 0 \r\nt\r\n 1 \r\n");
    fillWindows();
    EXPECT_TRUE(app->frmMain.loadReplies("old"));
    EXPECT_EQ(app->frmMain.txtDuelEngage->text(), "e");
    EXPECT_EQ(app->frmMain.txtDuelLost->text(), "l");
    EXPECT_EQ(app->frmMain.messages.Greet, "g");
    EXPECT_EQ(app->frmMain.messages.GreetEn, 1);
    EXPECT_EQ(app->frmMain.messages.DeathEn, 2);
    EXPECT_EQ(app->frmMain.messages.limit, "t");
    EXPECT_EQ(docking().value(), 0);
    EXPECT_EQ(sayPlaying().value(), 2);
}

TEST_F(ReplyFiles, OpenCancelledOrAWrongHeaderChangesNothing) {
    fillWindows();
    const std::string before = windowsAsText();
    toolkit.chooseMenu("mnuOpen");  // cancelled: nothing shown either
    EXPECT_EQ(windowsAsText(), before);
    EXPECT_TRUE(dialogs().boxes.empty());
    // A wrong header shows its box from the menu and from the load by name.
    write(saved("bad.vnk"), "varnok -{ZUL}- $pellow$\r\n" + kCurrentFile.substr(25));
    dialogs().openFileAnswers.push_back(saved("bad.vnk").string());
    toolkit.chooseMenu("mnuOpen");
    EXPECT_FALSE(app->frmMain.loadReplies("bad"));
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    for (const auto& box : dialogs().boxes) {
        EXPECT_EQ(box.text, "Header is not correct type. Can't continue to open.");
        EXPECT_EQ(box.title, "Error");
        EXPECT_EQ(box.icon, ui::MessageIcon::Error);
    }
    EXPECT_EQ(windowsAsText(), before);
}

TEST_F(ReplyFiles, AFileFailingHalfWayChangesNothing) {
    fillWindows();
    const std::string before = windowsAsText();
    // Every message is there, but the file ends before its two option lines.
    write(saved("short.vnk"), kCurrentFile.substr(0, kCurrentFile.size() - 10));
    write(saved("flag.vnk"),
          "Varnok -{ZUL}- $pellow$\r\nE\r\nW\r\nL\r\nG\r\n 1 \r\nD\r\n 300 "
          "\r\nN\r\n 0 \r\nT\r\n 1 \r\n 1 \r\n 0 \r\n");
    write(saved("option.vnk"), kCurrentFile.substr(0, kCurrentFile.size() - 5) + " 5 \r\n");

    for (const char* name : {"short", "flag", "option"}) {
        EXPECT_FALSE(app->frmMain.loadReplies(name)) << name;
        EXPECT_EQ(windowsAsText(), before) << name;
        dialogs().openFileAnswers.push_back(saved(std::string(name) + ".vnk").string());
        toolkit.chooseMenu("mnuOpen");
        EXPECT_EQ(windowsAsText(), before) << name;
    }
    // The load by name reports nothing on the desktop; the menu shows each failure.
    ASSERT_EQ(dialogs().boxes.size(), 3u);
    for (const auto& box : dialogs().boxes) {
        EXPECT_EQ(box.title, "Error");
        EXPECT_NE(box.text, "Header is not correct type. Can't continue to open.");
    }
}

TEST_F(ReplyFiles, AMissingFileFailsQuietlyByNameAndWithABoxFromTheMenu) {
    EXPECT_FALSE(app->frmMain.loadReplies("nothere"));
    EXPECT_TRUE(dialogs().boxes.empty());
    dialogs().openFileAnswers.push_back(saved("nothere.vnk").string());
    toolkit.chooseMenu("mnuOpen");
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].title, "Error");
    EXPECT_NE(dialogs().boxes[0].text.find("nothere.vnk"), std::string::npos);

    // A folder of that name is no file: the box says so, with the system's reason.
    std::filesystem::create_directory(saved("folder.vnk"));
    EXPECT_FALSE(app->frmMain.loadReplies("folder"));
    dialogs().openFileAnswers.push_back(saved("folder.vnk").string());
    toolkit.chooseMenu("mnuOpen");
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[1].text,
              "Cannot read the reply file \"" + saved("folder.vnk").string() +
                  "\": " + std::make_error_code(std::errc::is_a_directory).message() + ".");
}

TEST_F(ReplyFiles, LoadByNameTakesTheFileFromTheSavesFolder) {
    write(saved("main.vnk"), kCurrentFile);
    EXPECT_TRUE(app->frmMain.loadReplies("main"));
    EXPECT_EQ(app->frmMain.txtDuelEngage->text(), "E %s");
    EXPECT_EQ(app->frmMain.txtDuelWon->text(), "W %d");
    EXPECT_EQ(app->frmMain.messages.DeathEn, 1);
    EXPECT_EQ(app->frmMain.messages.EnterEn, 0);
    EXPECT_EQ(docking().value(), 1);
    EXPECT_EQ(sayPlaying().value(), 0);
}

}  // namespace
