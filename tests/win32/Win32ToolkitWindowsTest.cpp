// The toolkit's windows, menu bars and timers against real windows, read back
// through plain user32 calls.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Win32TestSupport.h"
#include "ports/ControlIds.h"
#include "ports/Layout.h"

namespace {

using namespace varnok;
using win32test::formNamed;
using win32test::textOf;
using Win32Toolkit = win32test::ToolkitForm;

TEST_F(Win32Toolkit, WindowsShowCloseMoveAndWidenAsAsked) {
    int dpi = toolkit.dpi();
    EXPECT_EQ(textOf(form), "Check form");
    EXPECT_FALSE(window->visible());
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, ui::twipsToPixels(kWidth, dpi));
    EXPECT_EQ(client.bottom, ui::twipsToPixels(kHeight, dpi));

    int closes = 0;
    window->onClose([&] { ++closes; });
    window->show();
    EXPECT_TRUE(window->visible());
    PostMessageA(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(closes, 0);
    toolkit.yield();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(IsWindow(form));  // closing is the handler's business
    window->hide();
    EXPECT_FALSE(window->visible());

    ui::Frame before = window->frame();
    window->moveTo(30, 40);
    ui::Frame moved = window->frame();
    EXPECT_TRUE(moved.left == 30 && moved.top == 40);
    EXPECT_TRUE(moved.width == before.width && moved.height == before.height);
    window->setOuterWidth(before.width + 50);
    ui::Frame widened = window->frame();
    EXPECT_TRUE(widened.left == 30 && widened.top == 40 && widened.width == before.width + 50);
    EXPECT_EQ(widened.height, before.height);

    auto borderless = toolkit.createWindow({.name = "checkBorderless",
                                            .caption = "Form1",
                                            .clientWidth = 1500,
                                            .clientHeight = 1500,
                                            .border = ui::Border::None,
                                            .hasTitle = false});
    HWND plain = formNamed("checkBorderless");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(plain, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    RECT outer{};
    GetWindowRect(plain, &outer);
    EXPECT_EQ(outer.right - outer.left, ui::twipsToPixels(1500, dpi));
}

TEST_F(Win32Toolkit, AMenuBarRunsItsEntriesInsideAYieldAndShowsTicks) {
    int saves = 0, messages[2] = {0, 0};
    toolkit.createMenuBar(*window, {{"mnuFile", "File", {{"mnuSave", "Save", [&] { ++saves; }}}},
                                    {"mnuEdit",
                                     "Customize Messages",
                                     {{"mnuMsg", "Greeting", [&] { ++messages[0]; }},
                                      {"mnuMsg", "Time/Frag Limit", [&] { ++messages[1]; }}}}});
    HMENU bar = GetMenu(form);
    ASSERT_NE(bar, nullptr);
    char caption[64] = {};
    GetMenuStringA(bar, 1, caption, sizeof(caption), MF_BYPOSITION);
    EXPECT_EQ(std::string(caption), "Customize Messages");
    HMENU edit = GetSubMenu(bar, 1);
    GetMenuStringA(edit, 1, caption, sizeof(caption), MF_BYPOSITION);
    EXPECT_EQ(std::string(caption), "Time/Frag Limit");
    UINT saveId = GetMenuItemID(GetSubMenu(bar, 0), 0);
    EXPECT_EQ(saveId, static_cast<UINT>(ui::controlId("mnuSave")));
    UINT firstMessage = GetMenuItemID(edit, 0), secondMessage = GetMenuItemID(edit, 1);
    EXPECT_NE(firstMessage, secondMessage);
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.bottom, ui::twipsToPixels(kHeight, toolkit.dpi()));  // the bar ate none of it
    PostMessageA(form, WM_COMMAND, saveId, 0);
    PostMessageA(form, WM_COMMAND, secondMessage, 0);
    EXPECT_EQ(saves, 0);
    toolkit.yield();
    EXPECT_TRUE(saves == 1 && messages[0] == 0 && messages[1] == 1);
    toolkit.setMenuChecked(*window, "mnuSave", true);
    EXPECT_NE(GetMenuState(bar, saveId, MF_BYCOMMAND) & MF_CHECKED, 0u);
    toolkit.setMenuChecked(*window, "mnuSave", false);
    EXPECT_EQ(GetMenuState(bar, saveId, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST_F(Win32Toolkit, TimersTickOnlyInsideAYield) {
    int ticks = 0;
    auto timer = toolkit.createTimer(*window, 20, true, [&] { ++ticks; });
    Sleep(80);
    EXPECT_EQ(ticks, 0);
    toolkit.yield();
    EXPECT_GE(ticks, 1);
    timer->setEnabled(false);
    int stopped = ticks;
    Sleep(80);
    toolkit.yield();
    EXPECT_EQ(ticks, stopped);
}

}  // namespace
