// Checks of the Win32 adapters against real windows, run under Windows or Wine
// (scripts/win32-checks.sh). Each group drives the adapter the way Varnok does
// and reads the result back through plain user32 calls, so a check fails when
// the adapter and the window system disagree.

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "engine/Failures.h"
#include "platform/win32/DirectShowGraph.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/Win32VersionSource.h"
#include "platform/win32/Win32WindowManager.h"
#include "text/SystemPath.h"
#include "ui/Application.h"
#include "ui/ControlIds.h"

namespace {

using namespace varnok;
using platform::win32::Win32Toolkit;
using platform::win32::Win32WindowManager;

int failures = 0;
int passes = 0;
const char* currentGroup = "";

void check(bool ok, const char* what, int line) {
    if (ok) {
        ++passes;
        return;
    }
    ++failures;
    std::printf("FAIL [%s] line %d: %s\n", currentGroup, line, what);
}
#define CHECK(condition) check((condition), #condition, __LINE__)

void group(const char* name) {
    currentGroup = name;
    std::printf("-- %s\n", name);
}

std::string textOf(HWND hwnd) {
    char buffer[1024] = {};
    GetWindowTextA(hwnd, buffer, sizeof(buffer));
    return buffer;
}

long long millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

// ---------------------------------------------------------------- console --

// A stand-in console in this process: an input line with an empty caption,
// three captioned buttons and the output pane, first created on top.
struct FakeConsole {
    HWND window = nullptr;
    HWND input = nullptr;
    HWND pane = nullptr;
    std::vector<HWND> children;
};

std::vector<std::pair<WPARAM, LPARAM>> charsReceived;
WNDPROC editProc = nullptr;

LRESULT CALLBACK recordingEdit(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) charsReceived.emplace_back(wParam, lParam);
    return CallWindowProcA(editProc, hwnd, message, wParam, lParam);
}

FakeConsole makeConsole(const char* title) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VarnokCheckConsole";
        RegisterClassA(&windowClass);
        registered = true;
    }
    FakeConsole console;
    console.window = CreateWindowA("VarnokCheckConsole", title, WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    console.input = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, console.window,
                                  nullptr, nullptr, nullptr);
    editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(console.input, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordingEdit)));
    console.children.push_back(console.input);
    for (const char* caption : {"copy", "clear", "quit"})
        console.children.push_back(CreateWindowA("BUTTON", caption, WS_CHILD | WS_VISIBLE, 0, 30,
                                                 60, 20, console.window, nullptr, nullptr,
                                                 nullptr));
    console.pane =
        CreateWindowA("EDIT", "line one\r\nline two", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 60,
                      300, 100, console.window, nullptr, nullptr, nullptr);
    console.children.push_back(console.pane);
    return console;
}

// A window in another process (this program started again with
// --hung-window) whose thread stops answering messages for a few seconds.
constexpr const char* kHungClass = "VarnokCheckHung";

int runHungWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kHungClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(kHungClass, "frozen", WS_OVERLAPPED, 0, 0, 100, 20, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    Sleep(2500);  // no message pump meanwhile
    // Then it answers again for a while.
    for (DWORD end = GetTickCount() + 3000; GetTickCount() < end;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(5);
    }
    DestroyWindow(window);
    return 0;
}

struct HungProcess {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;

    HungProcess() {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, sizeof(self));
        std::string commandLine = std::string("\"") + self + "\" --hung-window";
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process))
            return;
        for (int i = 0; i < 500 && window == nullptr; ++i) {
            window = FindWindowA(kHungClass, nullptr);
            if (window == nullptr) Sleep(10);
        }
    }
    ~HungProcess() {
        if (process.hProcess == nullptr) return;
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
};

void windowManagerChecks() {
    group("window manager: finding and walking windows");
    Win32WindowManager windows(300);
    const char* title = "Varnok check console";
    FakeConsole console = makeConsole(title);
    auto handle = [](HWND hwnd) { return reinterpret_cast<console::WindowHandle>(hwnd); };

    CHECK(windows.findWindow(std::nullopt, std::string(title)) == handle(console.window));
    CHECK(windows.findWindow(std::string("VarnokCheckConsole"), std::nullopt) ==
          handle(console.window));
    CHECK(windows.findWindow(std::string("VarnokCheckConsole"), std::string(title)) ==
          handle(console.window));
    CHECK(windows.findWindow(std::nullopt, std::string("no such window title")) == 0);
    CHECK(windows.findWindow(std::string("VarnokCheckConsole"), std::string("other")) == 0);

    console::WindowHandle child =
        windows.relative(handle(console.window), console::Relation::FirstChild);
    CHECK(child == handle(console.input));
    for (int step = 0; step < 4; ++step)
        child = windows.relative(child, console::Relation::NextSibling);
    CHECK(child == handle(console.pane));
    CHECK(windows.relative(child, console::Relation::NextSibling) == 0);
    CHECK(windows.relative(0, console::Relation::FirstChild) == 0);

    std::vector<console::WindowHandle> visited;
    windows.enumChildren(handle(console.window), [&](console::WindowHandle h) {
        visited.push_back(h);
        return visited.size() < 2;
    });
    CHECK(visited.size() == 2);
    CHECK(!visited.empty() && visited[0] == handle(console.input));
    int all = 0;
    windows.enumChildren(handle(console.window), [&](console::WindowHandle) { return ++all > 0; });
    CHECK(all == 5);
    bool threw = false;
    windows.enumChildren(handle(console.window), [&](console::WindowHandle) -> bool {
        threw = true;
        throw std::runtime_error("visitor failure");
    });
    CHECK(threw);  // and the exception stopped at the adapter

    group("window manager: captions and texts");
    CHECK(windows.caption(handle(console.children[1]), 260) == "copy");
    CHECK(windows.caption(handle(console.children[1]), 3) == "co");
    CHECK(windows.caption(handle(console.input), 260).empty());
    CHECK(windows.caption(0, 260).empty());

    const std::string command = "say caf\xE9 ^1ok";
    CHECK(windows.setText(handle(console.input), command));
    CHECK(textOf(console.input) == command);
    CHECK(windows.sendChar(handle(console.input), 13, 1));
    CHECK(charsReceived.size() == 1 && charsReceived[0].first == 13 &&
          charsReceived[0].second == 1);

    CHECK(windows.textLength(handle(console.pane)) == 18);
    CHECK(windows.text(handle(console.pane), 19) == "line one\r\nline two");
    CHECK(windows.text(handle(console.pane), 5) == "line");
    CHECK(windows.textLength(0) == 0);
    CHECK(windows.text(0, 10) == "");
    CHECK(!windows.setText(0, "x"));
    CHECK(!windows.sendChar(0, 13, 1));

    group("window manager: show and reposition");
    windows.show(handle(console.window), console::ShowCommand::Show);
    CHECK(IsWindowVisible(console.window));
    windows.show(handle(console.window), console::ShowCommand::Hide);
    CHECK(!IsWindowVisible(console.window));
    windows.show(0, console::ShowCommand::Show);  // nothing to do, no crash
    windows.reposition(handle(console.window), 40, 50, 320, 240, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frame{};
    GetWindowRect(console.window, &frame);
    CHECK(frame.left == 40 && frame.top == 50);
    CHECK(frame.right - frame.left == 320 && frame.bottom - frame.top == 240);

    group("window manager: a window that stops answering");
    {
        HungProcess hung;
        CHECK(hung.window != nullptr);
        auto hungHandle = handle(hung.window);
        auto start = std::chrono::steady_clock::now();
        // No answer, told apart from an empty window.
        CHECK(!windows.textLength(hungHandle));
        CHECK(!windows.text(hungHandle, 20));
        CHECK(!windows.setText(hungHandle, "typed"));
        CHECK(!windows.sendChar(hungHandle, 13, 1));
        // The first call gives up after its 300 ms; the others find the
        // courier still waiting and give up at once. Without the limit they
        // would wait for the whole hang.
        long long waited = millisecondsSince(start);
        CHECK(waited < 1500);
        // Its caption is still readable: no message is sent to another
        // process's window for it.
        start = std::chrono::steady_clock::now();
        CHECK(windows.caption(hungHandle, 260) == "frozen");
        CHECK(millisecondsSince(start) < 250);
        // Once the window answers again, so does the adapter.
        long length = 0;
        for (int i = 0; i < 60 && length == 0; ++i) {
            Sleep(100);
            length = windows.textLength(hungHandle).value_or(0);
        }
        CHECK(length == 6);
        CHECK(windows.text(hungHandle, 7) == "frozen");
        CHECK(windows.setText(hungHandle, "thawed"));
        CHECK(windows.caption(hungHandle, 260) == "thawed");
    }
    DestroyWindow(console.window);
    // A window that is gone answers as empty, not as a window that is busy.
    CHECK(windows.textLength(handle(console.pane)) == 0);
    CHECK(windows.text(handle(console.pane), 10) == "");
}

// ------------------------------------------------------ clock and version --

void clockAndVersionChecks() {
    group("clock");
    platform::win32::Win32Clock clock;
    auto start = std::chrono::steady_clock::now();
    clock.sleepMs(60);
    CHECK(millisecondsSince(start) >= 55);
    long long difference =
        std::chrono::duration_cast<std::chrono::seconds>(clock.now().time_since_epoch()).count() -
        static_cast<long long>(std::time(nullptr));
    CHECK(difference >= -2 && difference <= 2);
    clock.seedFromClock();
    bool inRange = true;
    double lowest = 1.0, highest = 0.0;
    for (int i = 0; i < 2000; ++i) {
        double value = clock.random();
        inRange = inRange && value >= 0.0 && value < 1.0;
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    CHECK(inRange);
    CHECK(lowest < 0.05 && highest > 0.95);  // spread over the whole range

    group("version source");
    sysinfo::VersionRecord record = platform::win32::Win32VersionSource().read();
    CHECK(record.platformId == 2);
    CHECK(record.majorVersion >= 5);
    CHECK((record.buildNumber & 0xFFFF) != 0);
    CHECK(record.csdVersion.size() == 128);
}

// -------------------------------------------------------------- text rule --

// A .m3u8 playlist's UTF-8 in the system code page: a letter the code page has
// comes through, one it lacks (or has only a look-alike of) gives nothing.
void utf8Checks() {
    group("text rule: UTF-8 in the code page");
    CHECK(text::fromUtf8("") == std::string());
    CHECK(text::fromUtf8("song.mp3") == std::string("song.mp3"));
    CHECK(!text::fromUtf8("\xFF.mp3"));
    CHECK(!text::fromUtf8("\xE6\x97\xA5.mp3"));  // a CJK letter
    if (GetACP() != 1252) return;
    CHECK(text::fromUtf8("Beyonc\xC3\xA9 \xE2\x80\x99") == std::string("Beyonc\xE9 \x92"));
    CHECK(!text::fromUtf8("\xC4\x97.mp3"));  // e with a dot above: best fit would give e
}

// ---------------------------------------------------------------- toolkit --

HWND formNamed(const char* name) {
    return FindWindowA(ui::windowClassName(name).c_str(), nullptr);
}

HWND controlNamed(HWND form, const char* name) {
    return GetDlgItem(form, ui::controlId(name));
}

void toolkitWindowChecks(Win32Toolkit& toolkit) {
    group("toolkit: windows");
    int dpi = toolkit.dpi();
    auto window = toolkit.createWindow({.name = "checkForm",
                                        .caption = "Check form",
                                        .clientWidth = 4680,
                                        .clientHeight = 3090,
                                        .background = ui::Rgb{0, 0, 64}});
    HWND form = formNamed("checkForm");
    CHECK(form != nullptr);
    CHECK(textOf(form) == "Check form");
    CHECK(!window->visible());
    RECT client{};
    GetClientRect(form, &client);
    CHECK(client.right == ui::twipsToPixels(4680, dpi));
    CHECK(client.bottom == ui::twipsToPixels(3090, dpi));

    int closes = 0;
    window->onClose([&] { ++closes; });
    window->show();
    CHECK(window->visible());
    PostMessageA(form, WM_CLOSE, 0, 0);
    CHECK(closes == 0);
    toolkit.yield();
    CHECK(closes == 1);
    CHECK(IsWindow(form));  // closing is the handler's business
    window->hide();
    CHECK(!window->visible());

    ui::Frame before = window->frame();
    window->moveTo(30, 40);
    ui::Frame moved = window->frame();
    CHECK(moved.left == 30 && moved.top == 40);
    CHECK(moved.width == before.width && moved.height == before.height);
    window->setOuterWidth(before.width + 50);
    ui::Frame widened = window->frame();
    CHECK(widened.left == 30 && widened.top == 40 && widened.width == before.width + 50);
    CHECK(widened.height == before.height);

    auto borderless = toolkit.createWindow({.name = "checkBorderless",
                                            .caption = "Form1",
                                            .clientWidth = 1500,
                                            .clientHeight = 1500,
                                            .border = ui::Border::None,
                                            .hasTitle = false});
    HWND plain = formNamed("checkBorderless");
    CHECK(plain != nullptr);
    CHECK((GetWindowLongPtrA(plain, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME)) == 0);
    RECT outer{};
    GetWindowRect(plain, &outer);
    CHECK(outer.right - outer.left == ui::twipsToPixels(1500, dpi));

    group("toolkit: menu bar");
    int saves = 0, messages[2] = {0, 0};
    toolkit.createMenuBar(*window, {{"mnuFile", "File", {{"mnuSave", "Save", [&] { ++saves; }}}},
                                    {"mnuEdit",
                                     "Customize Messages",
                                     {{"mnuMsg", "Greeting", [&] { ++messages[0]; }},
                                      {"mnuMsg", "Time/Frag Limit", [&] { ++messages[1]; }}}}});
    HMENU bar = GetMenu(form);
    CHECK(bar != nullptr);
    char caption[64] = {};
    GetMenuStringA(bar, 1, caption, sizeof(caption), MF_BYPOSITION);
    CHECK(std::string(caption) == "Customize Messages");
    HMENU edit = GetSubMenu(bar, 1);
    GetMenuStringA(edit, 1, caption, sizeof(caption), MF_BYPOSITION);
    CHECK(std::string(caption) == "Time/Frag Limit");
    UINT saveId = GetMenuItemID(GetSubMenu(bar, 0), 0);
    CHECK(saveId == static_cast<UINT>(ui::controlId("mnuSave")));
    UINT firstMessage = GetMenuItemID(edit, 0), secondMessage = GetMenuItemID(edit, 1);
    CHECK(firstMessage != secondMessage);
    GetClientRect(form, &client);
    CHECK(client.bottom == ui::twipsToPixels(3090, dpi));  // the bar did not eat the client area
    PostMessageA(form, WM_COMMAND, saveId, 0);
    PostMessageA(form, WM_COMMAND, secondMessage, 0);
    CHECK(saves == 0);
    toolkit.yield();
    CHECK(saves == 1 && messages[0] == 0 && messages[1] == 1);
    toolkit.setMenuChecked(*window, "mnuSave", true);
    CHECK((GetMenuState(bar, saveId, MF_BYCOMMAND) & MF_CHECKED) != 0);
    toolkit.setMenuChecked(*window, "mnuSave", false);
    CHECK((GetMenuState(bar, saveId, MF_BYCOMMAND) & MF_CHECKED) == 0);

    group("toolkit: timers tick only inside a yield");
    int ticks = 0;
    auto timer = toolkit.createTimer(*window, 20, true, [&] { ++ticks; });
    CHECK(timer->enabled() && timer->interval() == 20);
    Sleep(80);
    CHECK(ticks == 0);
    toolkit.yield();
    CHECK(ticks >= 1);
    timer->setEnabled(false);
    int stopped = ticks;
    Sleep(80);
    toolkit.yield();
    CHECK(ticks == stopped);

    group("toolkit: labels, text fields, fonts and colours");
    auto label = toolkit.createLabel(*window, {.name = "Label1",
                                               .caption = "Duel & Engage:",
                                               .rect = {840, 720, 1800, 375},
                                               .textColour = ui::Rgb{128, 128, 255},
                                               .font = ui::Font{"MS Sans Serif", 9.75f, true},
                                               .align = ui::Align::Right});
    HWND labelHwnd = controlNamed(form, "Label1");
    CHECK(labelHwnd != nullptr);
    CHECK(label->caption() == "Duel & Engage:");
    LONG_PTR labelStyle = GetWindowLongPtrA(labelHwnd, GWL_STYLE);
    CHECK((labelStyle & SS_TYPEMASK) == SS_RIGHT);
    CHECK((labelStyle & SS_NOPREFIX) != 0);
    CHECK((labelStyle & WS_TABSTOP) == 0);
    RECT placed{};
    GetWindowRect(labelHwnd, &placed);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&placed), 2);
    CHECK(placed.left == ui::twipsToPixels(840, dpi) && placed.top == ui::twipsToPixels(720, dpi));
    CHECK(placed.right - placed.left == ui::twipsToPixels(1800, dpi));
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(labelHwnd, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    CHECK(font.lfHeight == -std::lround(9.75 * dpi / 72.0));
    CHECK(font.lfWeight == FW_BOLD);
    CHECK(std::string(font.lfFaceName) == "MS Sans Serif");

    HDC dc = CreateCompatibleDC(nullptr);
    LRESULT brush = SendMessageA(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(labelHwnd));
    CHECK(brush != 0);
    CHECK(GetTextColor(dc) == RGB(128, 128, 255));
    CHECK(GetBkColor(dc) == RGB(0, 0, 64));  // transparent: the form's background

    auto field = toolkit.createTextField(*window, {.name = "txtMessage", .tabIndex = 0});
    std::string longText(40000, 'x');
    field->setText(longText);
    CHECK(field->text().size() == longText.size());
    field->setText("caf\xE9");
    CHECK(field->text() == "caf\xE9");
    field->setVisible(false);
    CHECK(!field->visible());
    window->show();
    CHECK(!field->visible());
    field->setVisible(true);
    window->hide();
    CHECK(field->visible());  // its own flag, whatever the form's

    group("toolkit: buttons and check boxes");
    window->show();  // buttons take clicks only when visible
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
    CHECK((GetWindowLongPtrA(grey, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW);
    CHECK((GetWindowLongPtrA(controlNamed(form, "cmdPlain"), GWL_STYLE) & BS_TYPEMASK) ==
          BS_PUSHBUTTON);
    CHECK((GetWindowLongPtrA(grey, GWL_STYLE) & WS_TABSTOP) != 0);
    PostMessageA(grey, BM_CLICK, 0, 0);
    CHECK(clicks == 0);
    toolkit.yield();
    CHECK(clicks == 1);
    PostMessageA(form, WM_COMMAND, MAKEWPARAM(ui::controlId("cmdBack"), BN_DOUBLECLICKED),
                 reinterpret_cast<LPARAM>(grey));
    toolkit.yield();
    CHECK(clicks == 2);  // a quick second click on an owner-drawn button
    // A handler that throws ends that handler only, and the failure is written down.
    std::vector<std::string> written;
    engine::setFailureSink([&](const std::string& line) { written.push_back(line); });
    greyButton->onClick([&] {
        ++clicks;
        throw std::runtime_error("click broke");
    });
    PostMessageA(grey, BM_CLICK, 0, 0);
    toolkit.yield();
    CHECK(clicks == 3);
    CHECK(written == std::vector<std::string>{"Varnok: a window handler skipped: click broke\n"});
    engine::setFailureSink(nullptr);

    std::vector<int> seen;
    auto box = toolkit.createCheckBox(*window, {.name = "chkEnabled",
                                                .caption = "Message Enabled?",
                                                .rect = {1680, 1200, 2775, 375},
                                                .textColour = ui::Rgb{128, 128, 255},
                                                .background = ui::Rgb{0, 0, 64},
                                                .tooltip = "Whether the message is sent",
                                                .tabIndex = 2});
    box->onClick([&] { seen.push_back(box->value()); });
    HWND boxHwnd = controlNamed(form, "chkEnabled");
    box->setValue(2);
    CHECK(box->value() == 2);
    CHECK(SendMessageA(boxHwnd, BM_GETCHECK, 0, 0) == BST_INDETERMINATE);
    box->setValue(1);
    CHECK(box->value() == 1);
    CHECK(seen.empty());  // setting from code calls no handler
    PostMessageA(boxHwnd, BM_CLICK, 0, 0);
    toolkit.yield();
    CHECK(seen.size() == 1 && seen.back() == 0);  // the handler sees the new state
    PostMessageA(boxHwnd, BM_CLICK, 0, 0);
    toolkit.yield();
    CHECK(seen.size() == 2 && seen.back() == 1);
    box->setValue(2);
    PostMessageA(boxHwnd, BM_CLICK, 0, 0);
    toolkit.yield();
    CHECK(seen.size() == 3 && seen.back() == 1);  // never into grey
    brush = SendMessageA(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(boxHwnd));
    CHECK(brush != 0 && GetBkColor(dc) == RGB(0, 0, 64) && GetTextColor(dc) == RGB(128, 128, 255));
    DeleteDC(dc);

    // The tooltip: a tooltip window owned by the form that knows the box.
    HWND tip = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND candidate, LPARAM found) -> BOOL {
            char className[64] = {};
            GetClassNameA(candidate, className, sizeof(className));
            if (lstrcmpiA(className, TOOLTIPS_CLASSA) != 0) return TRUE;
            *reinterpret_cast<HWND*>(found) = candidate;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tip));
    CHECK(tip != nullptr && GetWindow(tip, GW_OWNER) == form);
    if (tip != nullptr) {
        char tipText[128] = {};
        TOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = form;
        tool.uFlags = TTF_IDISHWND;
        tool.uId = reinterpret_cast<UINT_PTR>(boxHwnd);
        tool.lpszText = tipText;
        SendMessageA(tip, TTM_GETTEXTA, sizeof(tipText), reinterpret_cast<LPARAM>(&tool));
        CHECK(std::string(tipText) == "Whether the message is sent");
    }

    group("toolkit: tab order follows the tab index");
    // Created in the order 3 (cmdBack), 0 (txtMessage), 2 (chkEnabled): Tab
    // goes 0, 2, 3; the label and the plain button are no tab stops.
    HWND first = GetNextDlgTabItem(form, nullptr, FALSE);
    CHECK(first == controlNamed(form, "txtMessage"));
    HWND second = GetNextDlgTabItem(form, first, FALSE);
    CHECK(second == boxHwnd);
    CHECK(GetNextDlgTabItem(form, second, FALSE) == grey);
    CHECK((GetWindowLongPtrA(controlNamed(form, "cmdPlain"), GWL_STYLE) & WS_TABSTOP) == 0);
    // The Tab key moves the focus along that order inside a yield.
    window->show();
    window->focus();
    toolkit.yield();
    SetFocus(first);
    PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
    PostMessageA(first, WM_KEYUP, VK_TAB, 0xC0000001);
    toolkit.yield();
    CHECK(GetFocus() == second);
    (void)plainButton;
}

void toolkitListChecks(Win32Toolkit& toolkit) {
    auto window = toolkit.createWindow(
        {.name = "checkLists", .caption = "Lists", .clientWidth = 6525, .clientHeight = 5565});
    HWND form = formNamed("checkLists");

    group("toolkit: list boxes");
    auto list =
        toolkit.createListBox(*window, {.name = "lstPlay", .rect = {360, 1200, 3495, 2985}});
    CHECK(list->count() == 0 && list->listIndex() == -1);
    list->addItem("Zebra");
    list->addItem("apple");
    list->addItem("Mango");
    CHECK(list->count() == 3);
    CHECK(list->item(0) == "Zebra" && list->item(1) == "apple");  // not sorted
    CHECK(list->item(3).empty() && list->item(-1).empty());
    list->setListIndex(2);
    CHECK(list->listIndex() == 2);
    list->removeItem(0);
    CHECK(list->count() == 2 && list->item(0) == "apple");
    list->setListIndex(9);
    CHECK(list->listIndex() == -1);
    list->clear();
    CHECK(list->count() == 0);

    group("toolkit: sliders");
    int moves = 0;
    auto slider = toolkit.createSlider(
        *window, {.control = {.name = "Slider3", .rect = {720, 720, 2655, 375}, .tabIndex = 1},
                  .min = 0,
                  .max = 10,
                  .smallStep = 1,
                  .largeStep = 5});
    slider->onUserMove([&] { ++moves; });
    HWND track = controlNamed(form, "Slider3");
    CHECK(slider->min() == 0 && slider->max() == 10 && slider->value() == 0);
    CHECK(SendMessageA(track, TBM_GETPAGESIZE, 0, 0) == 5);
    CHECK(SendMessageA(track, TBM_GETLINESIZE, 0, 0) == 1);
    CHECK(!slider->setValue(11));
    CHECK(!slider->setValue(-1));
    CHECK(slider->value() == 0);
    CHECK(slider->setValue(7));
    CHECK(slider->value() == 7);
    slider->setMax(5);
    CHECK(slider->max() == 5 && slider->value() == 5);
    slider->setMax(215);
    CHECK(slider->setValue(100));
    toolkit.yield();
    CHECK(moves == 0);  // changes from code are no user moves

    auto scroll = [&](int code, int position) {
        SendMessageA(track, TBM_SETPOS, TRUE, position);
        PostMessageA(form, WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(track));
        toolkit.yield();
    };
    scroll(TB_THUMBTRACK, 101);
    scroll(TB_THUMBTRACK, 102);
    CHECK(moves == 0);  // no seek for every pixel of a drag
    scroll(TB_THUMBPOSITION, 102);
    CHECK(moves == 1);
    scroll(TB_ENDTRACK, 102);
    CHECK(moves == 1);  // the end of the same gesture
    scroll(TB_PAGEDOWN, 107);
    CHECK(moves == 2);
    scroll(TB_ENDTRACK, 107);
    CHECK(moves == 2);
    scroll(TB_LINEUP, 106);  // the mouse wheel sends no TB_ENDTRACK
    CHECK(moves == 3);
    CHECK(slider->setValue(106));
    scroll(TB_ENDTRACK, 106);
    CHECK(moves == 4);  // after a change from code the same place is news again

    // A real key press on the trackbar: one move for TB_LINEDOWN + TB_ENDTRACK.
    slider->setValue(0);
    moves = 0;
    PostMessageA(track, WM_KEYDOWN, VK_RIGHT, 0);
    PostMessageA(track, WM_KEYUP, VK_RIGHT, 0xC0000001);
    toolkit.yield();
    CHECK(slider->value() == 1);
    CHECK(moves == 1);

    auto upright = toolkit.createSlider(
        *window, {.control = {.name = "sldVol", .rect = {5580, 1800, 495, 2055}},
                  .orientation = ui::Orientation::Vertical,
                  .min = 0,
                  .max = 20,
                  .smallStep = 1,
                  .largeStep = 2});
    CHECK((GetWindowLongPtrA(controlNamed(form, "sldVol"), GWL_STYLE) & TBS_VERT) != 0);
    CHECK(upright->setValue(5) && upright->value() == 5);

    group("toolkit: drive and folder lists");
    int driveChanges = 0;
    auto drives = toolkit.createDriveList(*window, {.name = "drv", .rect = {480, 120, 3015, 315}});
    drives->onChange([&] { ++driveChanges; });
    CHECK(drives->count() >= 1);
    bool hasC = false, wellFormed = true;
    for (int i = 0; i < drives->count(); ++i) {
        std::string drive = drives->drive(i);
        hasC = hasC || drive == "c:";
        wellFormed = wellFormed && drive.size() == 2 && drive[1] == ':' && drive[0] >= 'a' &&
                     drive[0] <= 'z';
    }
    CHECK(hasC && wellFormed);
    CHECK(drives->listIndex() >= 0);
    HWND combo = controlNamed(form, "drv");
    PostMessageA(form, WM_COMMAND, MAKEWPARAM(ui::controlId("drv"), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    toolkit.yield();
    CHECK(driveChanges == 1);

    namespace fs = std::filesystem;
    char tempPath[MAX_PATH] = {};
    GetTempPathA(sizeof(tempPath), tempPath);
    std::string root = std::string(tempPath) + "varnok_folder_check";
    fs::remove_all(root);
    fs::create_directories(root + "\\beta");
    fs::create_directories(root + "\\Alpha\\inner");
    // Named in Unicode on disk, in the code page (0xFA) in the program.
    fs::create_directories(fs::path(root) / L"m\u00FAsica");
    std::string current = fs::current_path().string();

    auto folders =
        toolkit.createFolderList(*window, {.name = "Dir", .rect = {480, 480, 3015, 3015}});
    HWND folderHwnd = controlNamed(form, "Dir");
    folders->setPath(root + "\\");
    CHECK(folders->path() == root);
    std::vector<std::string> rows;
    int rowCount = static_cast<int>(SendMessageA(folderHwnd, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < rowCount; ++i) {
        char row[MAX_PATH * 2] = {};
        SendMessageA(folderHwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row));
        rows.push_back(row);
    }
    CHECK(rows.size() == 5);
    CHECK(rows.size() == 5 && rows[1] == "[..]" && rows[2] == "[Alpha]" && rows[3] == "[beta]" &&
          rows[4] == "[m\xFAsica]");
    SendMessageA(folderHwnd, LB_SETCURSEL, 2, 0);
    PostMessageA(form, WM_COMMAND, MAKEWPARAM(ui::controlId("Dir"), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(folderHwnd));
    toolkit.yield();
    CHECK(folders->path() == root + "\\Alpha");
    SendMessageA(folderHwnd, LB_SETCURSEL, 1, 0);  // "[..]"
    PostMessageA(form, WM_COMMAND, MAKEWPARAM(ui::controlId("Dir"), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(folderHwnd));
    toolkit.yield();
    CHECK(folders->path() == root);
    folders->setPath(root + "\\m\xFAsica");
    CHECK(folders->path() == root + "\\m\xFAsica");
    folders->setPath(root);
    folders->setPath(root + "\\no such folder");
    CHECK(folders->path() == root);
    folders->setPath("c:\\");
    CHECK(folders->path() == "c:\\" || folders->path() == "C:\\");
    CHECK(fs::current_path().string() == current);  // listing never moves the current folder
    fs::remove_all(root);
}

bool buttonsNamed = false;

// Answers the input box from another thread, as a user would.
void answerInputBox(const char* title, const char* typed, int button, std::string* proposedSeen,
                    bool* selectedAll) {
    HWND dialog = nullptr;
    for (int i = 0; i < 500 && dialog == nullptr; ++i) {
        dialog = FindWindowA("#32770", title);
        if (dialog == nullptr) Sleep(10);
    }
    if (dialog == nullptr) return;
    Sleep(50);
    HWND edit = FindWindowExA(dialog, nullptr, "Edit", nullptr);
    *proposedSeen = textOf(edit);
    buttonsNamed = textOf(GetDlgItem(dialog, IDOK)) == "OK" &&
                   textOf(GetDlgItem(dialog, IDCANCEL)) == "Cancel";
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    *selectedAll = start == 0 && end == proposedSeen->size();
    if (typed != nullptr) SetWindowTextA(edit, typed);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

void dialogChecks(Win32Toolkit& toolkit) {
    group("toolkit: input box");
    std::string proposed;
    bool selected = false;
    std::thread user(answerInputBox, "Load a playlist", "mine.lst", IDOK, &proposed, &selected);
    std::string answer =
        toolkit.dialogs().inputBox("Name of the playlist:", "Load a playlist", "playlist.lst");
    user.join();
    CHECK(proposed == "playlist.lst");
    CHECK(selected);
    CHECK(answer == "mine.lst");
    CHECK(buttonsNamed);

    std::thread cancelling(answerInputBox, "Cancelled box", "typed anyway", IDCANCEL, &proposed,
                           &selected);
    answer = toolkit.dialogs().inputBox("Prompt", "Cancelled box", "something");
    cancelling.join();
    CHECK(answer.empty());
}

// --------------------------------------------------------------- captions --

// The face the system gives for a font asked for by this name.
std::string faceGivenFor(const char* face) {
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char given[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof(given), given);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return given;
}

// The width a control's caption takes in the control's own font, and the width
// the control leaves for it: the client width, less a button's edges, or a
// check box's box, the gap of half a digit and the focus rectangle beside it.
std::pair<int, int> captionAndRoom(HWND control) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    std::string caption = textOf(control);
    SIZE extent{}, digit{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    GetTextExtentPoint32A(dc, "0", 1, &digit);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    RECT client{};
    GetClientRect(control, &client);
    int room = client.right;
    char kind[16] = {};
    GetClassNameA(control, kind, sizeof(kind));
    if (lstrcmpiA(kind, "Button") == 0) {
        LONG_PTR type = GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
        if (type == BS_3STATE || type == BS_CHECKBOX || type == BS_AUTOCHECKBOX)
            room -= MulDiv(13, dpi, 96) + digit.cx / 2 + 1;
        else
            room -= 2 * MulDiv(2, dpi, 96);
    }
    return {extent.cx, room};
}

// Varnok's four windows as the program builds them: every label, button and
// check box shows its caption on one line, in whatever font the system gives.
void captionChecks(Win32Toolkit& toolkit, bool withoutMsSansSerif) {
    group("toolkit: every caption fits its control");
    std::string given = faceGivenFor("MS Sans Serif");
    std::printf("   MS Sans Serif is given as \"%s\"\n", given.c_str());
    if (withoutMsSansSerif) CHECK(given != "MS Sans Serif");

    Win32WindowManager windows;
    platform::win32::Win32Clock clock;
    platform::win32::Win32VersionSource version;
    platform::win32::DirectShowGraphFactory media;
    ui::Services services{toolkit, windows, clock,
                          version, media,   std::filesystem::temp_directory_path()};
    ui::Application app(services);
    int measured = 0;
    for (const char* name : {"frmMain", "frmPlay", "mnuCustomize", "frmPickFolder"}) {
        HWND form = formNamed(name);
        CHECK(form != nullptr);
        for (HWND child = GetWindow(form, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            char kind[16] = {};
            GetClassNameA(child, kind, sizeof(kind));
            if ((lstrcmpiA(kind, "Static") != 0 && lstrcmpiA(kind, "Button") != 0) ||
                textOf(child).empty())
                continue;
            auto [width, room] = captionAndRoom(child);
            ++measured;
            if (width > room)
                std::printf("   \"%s\" in %s takes %d pixels of %d\n", textOf(child).c_str(), name,
                            width, room);
            CHECK(width <= room);
        }
    }
    CHECK(measured >= 20);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--hung-window") return runHungWindow();
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    // In a prefix without MS Sans Serif only the captions are of interest.
    if (mode == "--captions-without-ms-sans-serif") {
        Win32Toolkit toolkit;
        captionChecks(toolkit, true);
    } else {
        windowManagerChecks();
        clockAndVersionChecks();
        utf8Checks();
        Win32Toolkit toolkit;
        toolkitWindowChecks(toolkit);
        toolkitListChecks(toolkit);
        dialogChecks(toolkit);
        captionChecks(toolkit, false);
    }

    std::printf("%d checks passed, %d failed\n", passes, failures);
    return failures == 0 ? 0 : 1;
}
