// The window manager against real windows: a stand-in console in this process,
// and a window in another process that stops answering for a while.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "Win32TestSupport.h"
#include "platform/win32/Win32WindowManager.h"

namespace {

using varnok::console::Delivery;
using varnok::console::Relation;
using varnok::console::ShowCommand;
using varnok::console::WindowHandle;
using varnok::platform::win32::Win32WindowManager;
using win32test::millisecondsSince;
using win32test::textOf;

WindowHandle handle(HWND hwnd) {
    return reinterpret_cast<WindowHandle>(hwnd);
}

std::vector<std::pair<WPARAM, LPARAM>> charsReceived;
WNDPROC editProc = nullptr;

LRESULT CALLBACK recordingEdit(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) charsReceived.emplace_back(wParam, lParam);
    return CallWindowProcA(editProc, hwnd, message, wParam, lParam);
}

constexpr const char* kTitle = "Varnok check console";

// A window class of this program's with no behaviour of its own; registering
// it again does nothing.
void registerPlainClass(const char* name) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

// A stand-in console: an input line with an empty caption, three captioned
// buttons and the output pane, first created on top.
class WindowManager : public ::testing::Test {
  protected:
    void SetUp() override {
        registerPlainClass("VarnokCheckConsole");
        charsReceived.clear();
        window = CreateWindowA("VarnokCheckConsole", kTitle, WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        input = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, window, nullptr,
                              nullptr, nullptr);
        editProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(input, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordingEdit)));
        children.push_back(input);
        for (const char* caption : {"copy", "clear", "quit"})
            children.push_back(CreateWindowA("BUTTON", caption, WS_CHILD | WS_VISIBLE, 0, 30, 60,
                                             20, window, nullptr, nullptr, nullptr));
        pane = CreateWindowA("EDIT", "line one\r\nline two", WS_CHILD | WS_VISIBLE | ES_MULTILINE,
                             0, 60, 300, 100, window, nullptr, nullptr, nullptr);
        children.push_back(pane);
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
    }

    Win32WindowManager windows{300};
    HWND window = nullptr;
    HWND input = nullptr;
    HWND pane = nullptr;
    std::vector<HWND> children;
};

TEST_F(WindowManager, FindsAndWalksWindows) {
    EXPECT_EQ(windows.findWindow(std::nullopt, std::string(kTitle)), handle(window));
    EXPECT_EQ(windows.findWindow(std::string("VarnokCheckConsole"), std::nullopt), handle(window));
    EXPECT_EQ(windows.findWindow(std::string("VarnokCheckConsole"), std::string(kTitle)),
              handle(window));
    EXPECT_EQ(windows.findWindow(std::nullopt, std::string("no such window title")), 0);
    EXPECT_EQ(windows.findWindow(std::string("VarnokCheckConsole"), std::string("other")), 0);

    WindowHandle child = windows.relative(handle(window), Relation::FirstChild);
    EXPECT_EQ(child, handle(input));
    for (int step = 0; step < 4; ++step) child = windows.relative(child, Relation::NextSibling);
    EXPECT_EQ(child, handle(pane));
    EXPECT_EQ(windows.relative(child, Relation::NextSibling), 0);
    EXPECT_EQ(windows.relative(0, Relation::FirstChild), 0);

    std::vector<WindowHandle> visited;
    windows.enumChildren(handle(window), [&](WindowHandle h) {
        visited.push_back(h);
        return visited.size() < 2;
    });
    EXPECT_EQ(visited.size(), 2u);
    EXPECT_TRUE(!visited.empty() && visited[0] == handle(input));
    int all = 0;
    windows.enumChildren(handle(window), [&](WindowHandle) { return ++all > 0; });
    EXPECT_EQ(all, 5);
    bool threw = false;
    windows.enumChildren(handle(window), [&](WindowHandle) -> bool {
        threw = true;
        throw std::runtime_error("visitor failure");
    });
    EXPECT_TRUE(threw);  // and the exception stopped at the adapter
}

TEST_F(WindowManager, ReadsAndWritesCaptionsAndTexts) {
    EXPECT_EQ(windows.caption(handle(children[1]), 260), "copy");
    EXPECT_EQ(windows.caption(handle(children[1]), 3), "co");
    EXPECT_TRUE(windows.caption(handle(input), 260).empty());
    EXPECT_TRUE(windows.caption(0, 260).empty());

    const std::string command = "say caf\xE9 ^1ok";
    EXPECT_EQ(windows.setText(handle(input), command), Delivery::Delivered);
    EXPECT_EQ(textOf(input), command);
    EXPECT_EQ(windows.sendChar(handle(input), 13, 1), Delivery::Delivered);
    EXPECT_TRUE(charsReceived.size() == 1 && charsReceived[0].first == 13 &&
                charsReceived[0].second == 1);

    EXPECT_EQ(windows.measureText(handle(pane)).length, 18);
    EXPECT_EQ(windows.text(handle(pane), 19), "line one\r\nline two");
    EXPECT_EQ(windows.text(handle(pane), 5), "line");
    EXPECT_EQ(windows.measureText(0).length, 0);
    EXPECT_EQ(windows.text(0, 10), "");
    EXPECT_EQ(windows.setText(0, "x"), Delivery::NoAnswer);
    EXPECT_EQ(windows.sendChar(0, 13, 1), Delivery::NoAnswer);
}

TEST_F(WindowManager, ShowsAndRepositions) {
    windows.show(handle(window), ShowCommand::Show);
    EXPECT_TRUE(IsWindowVisible(window));
    windows.show(handle(window), ShowCommand::Hide);
    EXPECT_FALSE(IsWindowVisible(window));
    windows.show(0, ShowCommand::Show);  // nothing to do, no crash
    windows.reposition(handle(window), 40, 50, 320, 240, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_TRUE(frame.left == 40 && frame.top == 50);
    EXPECT_TRUE(frame.right - frame.left == 320 && frame.bottom - frame.top == 240);
}

}  // namespace

// A window in another process (this program started again with
// --hung-window) whose thread stops answering messages for a few seconds.
namespace {

constexpr const char* kHungClass = "VarnokCheckHung";

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
        window = win32test::waitForWindow(kHungClass, nullptr);
    }
    ~HungProcess() {
        if (process.hProcess == nullptr) return;
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
};

TEST_F(WindowManager, TellsAWindowThatStopsAnsweringFromAnEmptyOrAGoneOne) {
    {
        HungProcess hung;
        ASSERT_NE(hung.window, nullptr);
        auto hungHandle = handle(hung.window);
        auto start = std::chrono::steady_clock::now();
        // No answer, told apart from an empty window.
        EXPECT_FALSE(windows.measureText(hungHandle).length);
        EXPECT_FALSE(windows.text(hungHandle, 20));
        EXPECT_EQ(windows.setText(hungHandle, "typed"), Delivery::NoAnswer);
        EXPECT_EQ(windows.sendChar(hungHandle, 13, 1), Delivery::NoAnswer);
        // The first call gives up after its 300 ms; the others find the
        // courier still waiting and give up at once. Without the limit they
        // would wait for the whole hang.
        EXPECT_LT(millisecondsSince(start), 1500);
        // Its caption is still readable: no message is sent to another
        // process's window for it.
        start = std::chrono::steady_clock::now();
        EXPECT_EQ(windows.caption(hungHandle, 260), "frozen");
        EXPECT_LT(millisecondsSince(start), 250);
        // Once the window answers again, so does the adapter.
        long length = 0;
        for (int i = 0; i < 60 && length == 0; ++i) {
            Sleep(100);
            length = windows.measureText(hungHandle).length.value_or(0);
        }
        EXPECT_EQ(length, 6);
        EXPECT_EQ(windows.text(hungHandle, 7), "frozen");
        EXPECT_EQ(windows.setText(hungHandle, "thawed"), Delivery::Delivered);
        EXPECT_EQ(windows.caption(hungHandle, 260), "thawed");
    }
    DestroyWindow(window);
    // A window that is gone answers as empty, not as a window that is busy.
    EXPECT_EQ(windows.measureText(handle(pane)).length, 0);
    EXPECT_EQ(windows.text(handle(pane), 10), "");
}

}  // namespace

int win32test::runHungWindow() {
    registerPlainClass(kHungClass);
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
