// The message editor: one reply message's text and enabled box at a time.
#include <gtest/gtest.h>

#include "fakes/AppFixture.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

struct MessageEditor : ::testing::Test, AppFixture {
    void SetUp() override { startUp(); }
    replies::MnuCustomize& editor() { return app->mnuCustomize; }
    replies::ReplyMessages& messages() { return app->frmMain.messages; }
    FakeTextField& text() { return fake<FakeTextField>(editor().txtMessage); }
    FakeCheckBox& box() { return fake<FakeCheckBox>(editor().chkEnabled); }
    FakeWindow& window() { return fake<FakeWindow>(editor().window); }
    void ok() { fake<FakeButton>(editor().Command1).click(); }
};

TEST_F(MessageEditor, OpensFromTheMenuAndHidesTheMainWindow) {
    toolkit.chooseMenu("mnuMsg2");
    EXPECT_TRUE(window().visible());
    EXPECT_FALSE(mainWindow().visible());
    EXPECT_EQ(editor().msgIndex, 2);
}

TEST_F(MessageEditor, RightAfterStartUpShowsEmptyAndUntickedAndOkStoresThat) {
    app->frmMain.mnuMsg_Click(1);
    EXPECT_EQ(text().value, "");
    EXPECT_EQ(box().state, 0);
    messages().Death = "stale";  // what "Ok" must overwrite
    messages().DeathEn = 1;
    ok();
    EXPECT_EQ(messages().Death, "");
    EXPECT_EQ(messages().DeathEn, 0);
    EXPECT_FALSE(window().visible());
    EXPECT_TRUE(mainWindow().visible());

    // Ok stores the text unchanged and empties the field.
    app->frmMain.mnuMsg_Click(0);
    text().value = "  Welcome %d  ";
    box().click();
    ok();
    EXPECT_EQ(messages().Greet, "  Welcome %d  ");
    EXPECT_EQ(messages().GreetEn, 1);
    EXPECT_EQ(text().value, "");
}

TEST_F(MessageEditor, EditingOneMessageLeavesTheOthersAlone) {
    messages() = {"g", 1, "d", 0, "e", 2, "l", 1};
    app->frmMain.mnuMsg_Click(3);
    EXPECT_EQ(text().value, "l");
    EXPECT_EQ(box().state, 1);
    text().value = "limit!";
    box().click();
    ok();
    EXPECT_EQ(messages().limit, "limit!");
    EXPECT_EQ(messages().Limiten, 0);
    EXPECT_EQ(messages().Greet, "g");
    EXPECT_EQ(messages().GreetEn, 1);
    EXPECT_EQ(messages().Death, "d");
    EXPECT_EQ(messages().DeathEn, 0);
    EXPECT_EQ(messages().Enter, "e");
    EXPECT_EQ(messages().EnterEn, 2);
}

TEST_F(MessageEditor, AGreyedFlagOpensGreyedOneAboveTwoOpensTickedAndBothBecomeOneOnOk) {
    messages().EnterEn = 2;
    app->frmMain.mnuMsg_Click(2);
    EXPECT_EQ(box().state, 2);
    ok();
    EXPECT_EQ(messages().EnterEn, 1);

    // A click on the greyed box unticks it, as in the Win32 box.
    messages().EnterEn = 2;
    app->frmMain.mnuMsg_Click(2);
    box().click();
    EXPECT_EQ(box().state, 0);
    ok();
    EXPECT_EQ(messages().EnterEn, 0);

    // Flags above two show ticked and become one.
    for (int flag : {3, 200, 255}) {
        messages().GreetEn = static_cast<std::uint8_t>(flag);
        app->frmMain.mnuMsg_Click(0);
        EXPECT_EQ(box().state, 1) << flag;
        ok();
        EXPECT_EQ(messages().GreetEn, 1) << flag;
    }
}

TEST_F(MessageEditor, ClosingThroughTheFrameStoresNothingAndBringsTheMainWindowBack) {
    messages().Greet = "keep";
    app->frmMain.mnuMsg_Click(0);
    text().value = "changed";
    box().click();
    window().close();
    EXPECT_EQ(messages().Greet, "keep");
    EXPECT_EQ(messages().GreetEn, 0);
    EXPECT_FALSE(window().visible());
    EXPECT_TRUE(mainWindow().visible());
    EXPECT_FALSE(toolkit.ended());
}

TEST_F(MessageEditor, AnIndexOutsideTheFourSetsAndStoresNothing) {
    text().value = "left over";
    app->frmMain.mnuMsg_Click(7);
    EXPECT_EQ(text().value, "left over");
    ok();
    EXPECT_EQ(messages().Greet, "");
    EXPECT_EQ(messages().limit, "");
}

TEST_F(MessageEditor, TheLoopGoesOnWithTheOldValuesWhileTheEditorIsOpen) {
    FakeGame game(desktop, "Kyle");
    messages().Enter = "old";
    messages().EnterEn = 1;
    app->frmMain.engine.turn();
    app->frmMain.engine.turn();  // the name learned
    game.runsCommands = false;
    app->frmMain.mnuMsg_Click(2);
    text().value = "new";
    game.print("Kyle entered the game\r\n");
    app->frmMain.engine.turn();
    EXPECT_EQ(game.commands.back(), "say old");
    ok();
    game.print("Kyle entered the game!\r\n");
    app->frmMain.engine.turn();
    EXPECT_EQ(game.commands.back(), "say new");
}

TEST_F(MessageEditor, LayoutAndColours) {
    const ui::WindowSpec& spec = window().spec;
    EXPECT_EQ(spec.caption, "");
    EXPECT_EQ(spec.clientWidth, 4680);
    EXPECT_EQ(spec.clientHeight, 3090);
    EXPECT_EQ(spec.background, (ui::Rgb{0, 0, 64}));
    const auto& label = fake<FakeLabel>(editor().Label1).spec;
    EXPECT_EQ(label.caption, "Message:");
    EXPECT_EQ(label.align, ui::Align::Right);
    EXPECT_EQ(label.textColour, (ui::Rgb{128, 128, 255}));
    EXPECT_FALSE(label.background.has_value());
    EXPECT_EQ(label.tabIndex, 1);
    const auto& field = text().spec;
    EXPECT_EQ(field.rect.left, 1560);
    EXPECT_EQ(field.rect.width, 2415);
    EXPECT_FALSE(field.font.has_value());
    EXPECT_EQ(field.tabIndex, 0);
    const auto& check = box().spec;
    EXPECT_EQ(check.caption, "Message Enabled?");
    EXPECT_EQ(check.background, (ui::Rgb{0, 0, 64}));
    EXPECT_EQ(check.font->face, "MS Sans Serif");
    EXPECT_TRUE(check.font->bold);
    EXPECT_FLOAT_EQ(check.font->points, 9.75f);
    EXPECT_EQ(check.tabIndex, 2);
    const auto& button = fake<FakeButton>(editor().Command1).spec;
    EXPECT_EQ(button.caption, "Ok");
    EXPECT_EQ(button.background, (ui::Rgb{128, 128, 128}));
    EXPECT_EQ(button.rect.top, 2160);
    EXPECT_EQ(button.tabIndex, 3);
}

}  // namespace
