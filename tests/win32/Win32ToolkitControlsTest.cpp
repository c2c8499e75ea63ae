// The toolkit's labels, text fields, buttons and check boxes against real
// controls: styles, fonts, colours, clicks, the tooltip and the tab order.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "Win32TestSupport.h"
#include "ports/ControlIds.h"
#include "ports/Failures.h"
#include "ports/Layout.h"

namespace {

using namespace varnok;
using win32test::controlNamed;
using Buttons = win32test::ToolkitForm;
using Win32Toolkit = win32test::ToolkitForm;

// What the form tells a control to paint with (WM_CTLCOLORSTATIC).
struct Paint {
    bool brush;
    COLORREF text, back;
};
Paint paintOf(HWND form, HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    LRESULT brush = SendMessageA(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(control));
    Paint paint{brush != 0, GetTextColor(dc), GetBkColor(dc)};
    DeleteDC(dc);
    return paint;
}

// A check box whose handler writes down the state it sees on every click.
std::unique_ptr<ui::CheckBox> checkBox(ui::Window& window, std::vector<int>& seen) {
    auto box =
        win32test::sharedToolkit().createCheckBox(window, {.name = "chkEnabled",
                                                           .caption = "Message Enabled?",
                                                           .rect = {1680, 1200, 2775, 375},
                                                           .textColour = ui::Rgb{128, 128, 255},
                                                           .background = ui::Rgb{0, 0, 64},
                                                           .tooltip = "Whether the message is sent",
                                                           .tabIndex = 2});
    box->onClick([&seen, box = box.get()] { seen.push_back(box->value()); });
    return box;
}

void click(HWND control) {
    PostMessageA(control, BM_CLICK, 0, 0);
    win32test::sharedToolkit().yield();
}

TEST_F(Win32Toolkit, LabelsAndTextFieldsTakeTheirPlaceFontColourAndText) {
    int dpi = toolkit.dpi();
    auto label = toolkit.createLabel(*window, {.name = "Label1",
                                               .caption = "Duel & Engage:",
                                               .rect = {840, 720, 1800, 375},
                                               .textColour = ui::Rgb{128, 128, 255},
                                               .font = ui::Font{"MS Sans Serif", 9.75f, true},
                                               .align = ui::Align::Right});
    HWND labelHwnd = controlNamed(form, "Label1");
    ASSERT_NE(labelHwnd, nullptr);
    EXPECT_EQ(label->caption(), "Duel & Engage:");
    LONG_PTR labelStyle = GetWindowLongPtrA(labelHwnd, GWL_STYLE);
    EXPECT_EQ(labelStyle & SS_TYPEMASK, SS_RIGHT);
    EXPECT_NE(labelStyle & SS_NOPREFIX, 0);
    EXPECT_EQ(labelStyle & WS_TABSTOP, 0);
    RECT placed{};
    GetWindowRect(labelHwnd, &placed);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_TRUE(placed.left == ui::twipsToPixels(840, dpi) &&
                placed.top == ui::twipsToPixels(720, dpi));
    EXPECT_EQ(placed.right - placed.left, ui::twipsToPixels(1800, dpi));
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(labelHwnd, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    EXPECT_EQ(font.lfHeight, -std::lround(9.75 * dpi / 72.0));
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(std::string(font.lfFaceName), "MS Sans Serif");
    Paint paint = paintOf(form, labelHwnd);
    EXPECT_TRUE(paint.brush);
    EXPECT_EQ(paint.text, RGB(128, 128, 255));
    EXPECT_EQ(paint.back, RGB(0, 0, 64));  // transparent: the form's background

    auto field = toolkit.createTextField(*window, {.name = "txtMessage", .tabIndex = 0});
    std::string longText(40000, 'x');
    field->setText(longText);
    EXPECT_EQ(field->text().size(), longText.size());
    field->setText("caf\xE9");
    EXPECT_EQ(field->text(), "caf\xE9");
    field->setVisible(false);
    EXPECT_FALSE(field->visible());
    window->show();
    EXPECT_FALSE(field->visible());
    field->setVisible(true);
    window->hide();
    EXPECT_TRUE(field->visible());  // its own flag, whatever the form's
}

TEST_F(Buttons, ClickButtonsAndCheckBoxesAndFollowTheTabOrder) {
    window->show();  // buttons take clicks only when visible
    auto field = toolkit.createTextField(*window, {.name = "txtMessage", .tabIndex = 0});
    std::vector<int> seen;  // the check box's state each time its handler ran
    int clicks = 0;
    auto plainButton = toolkit.createButton(
        *window, {.name = "cmdPlain", .caption = "Cancel", .rect = {120, 120, 975, 495}});
    auto greyButton = toolkit.createButton(*window, {.name = "cmdBack",
                                                     .caption = "Back to Game",
                                                     .rect = {600, 2400, 2175, 495},
                                                     .background = ui::Rgb{128, 128, 128},
                                                     .tabIndex = 3});
    greyButton->onClick([&] { ++clicks; });
    HWND grey = controlNamed(form, "cmdBack");
    EXPECT_EQ(GetWindowLongPtrA(grey, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(GetWindowLongPtrA(controlNamed(form, "cmdPlain"), GWL_STYLE) & BS_TYPEMASK,
              BS_PUSHBUTTON);
    EXPECT_NE(GetWindowLongPtrA(grey, GWL_STYLE) & WS_TABSTOP, 0);
    PostMessageA(grey, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 0);
    toolkit.yield();
    EXPECT_EQ(clicks, 1);
    PostMessageA(form, WM_COMMAND, MAKEWPARAM(ui::controlId("cmdBack"), BN_DOUBLECLICKED),
                 reinterpret_cast<LPARAM>(grey));
    toolkit.yield();
    EXPECT_EQ(clicks, 2);  // a quick second click on an owner-drawn button
    // A handler that throws ends that handler only, and the failure is written down.
    std::vector<std::string> written;
    engine::setFailureSink([&](const std::string& line) { written.push_back(line); });
    greyButton->onClick([&] {
        ++clicks;
        throw std::runtime_error("click broke");
    });
    click(grey);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(written, std::vector<std::string>{"Varnok: a window handler skipped: click broke\n"});
    engine::setFailureSink(nullptr);

    auto box = checkBox(*window, seen);
    HWND boxHwnd = controlNamed(form, "chkEnabled");
    box->setValue(2);
    EXPECT_EQ(box->value(), 2);
    EXPECT_EQ(SendMessageA(boxHwnd, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    box->setValue(1);
    EXPECT_EQ(box->value(), 1);
    EXPECT_TRUE(seen.empty());  // setting from code calls no handler
    click(boxHwnd);
    EXPECT_EQ(seen, std::vector<int>{0});  // the handler sees the new state
    click(boxHwnd);
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));
    Paint paint = paintOf(form, boxHwnd);
    EXPECT_TRUE(paint.brush && paint.back == RGB(0, 0, 64) && paint.text == RGB(128, 128, 255));

    // The tooltip: a tooltip window owned by the form that knows the box.
    HWND tip = nullptr;
    do tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr);
    while (tip != nullptr && GetWindow(tip, GW_OWNER) != form);
    ASSERT_NE(tip, nullptr);
    char tipText[128] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = form;
    tool.uFlags = TTF_IDISHWND;
    tool.uId = reinterpret_cast<UINT_PTR>(boxHwnd);
    tool.lpszText = tipText;
    SendMessageA(tip, TTM_GETTEXTA, sizeof(tipText), reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::string(tipText), "Whether the message is sent");

    // The tab order follows the tab index: created in the order 0
    // (txtMessage), 3 (cmdBack), 2 (chkEnabled), Tab goes 0, 2, 3; the plain
    // button is no tab stop.
    HWND first = GetNextDlgTabItem(form, nullptr, FALSE);
    EXPECT_EQ(first, controlNamed(form, "txtMessage"));
    HWND second = GetNextDlgTabItem(form, first, FALSE);
    EXPECT_EQ(second, boxHwnd);
    EXPECT_EQ(GetNextDlgTabItem(form, second, FALSE), grey);
    EXPECT_EQ(GetWindowLongPtrA(controlNamed(form, "cmdPlain"), GWL_STYLE) & WS_TABSTOP, 0);
    // The Tab key moves the focus along that order inside a yield.
    window->focus();
    toolkit.yield();
    SetFocus(first);
    PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
    PostMessageA(first, WM_KEYUP, VK_TAB, 0xC0000001);
    toolkit.yield();
    EXPECT_EQ(GetFocus(), second);
}

// A click on a greyed box gives what the window system's own three-state box
// gives (unticked), and a click never makes a box greyed.
TEST_F(Buttons, AClickOnAGreyedCheckBoxDoesWhatWin32Does) {
    window->show();
    HWND automatic = CreateWindowA("BUTTON", "Win32's own", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE,
                                   0, 0, 120, 20, form, nullptr, nullptr, nullptr);
    SendMessageA(automatic, BM_SETCHECK, BST_INDETERMINATE, 0);
    click(automatic);
    const LRESULT win32Says = SendMessageA(automatic, BM_GETCHECK, 0, 0);
    EXPECT_EQ(win32Says, BST_UNCHECKED);

    std::vector<int> seen;
    auto box = checkBox(*window, seen);
    HWND boxHwnd = controlNamed(form, "chkEnabled");
    box->setValue(2);
    click(boxHwnd);
    EXPECT_EQ(SendMessageA(boxHwnd, BM_GETCHECK, 0, 0), win32Says);
    EXPECT_EQ(seen, std::vector<int>{0});
    click(boxHwnd);
    click(boxHwnd);
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 0}));  // never into grey
}

}  // namespace
