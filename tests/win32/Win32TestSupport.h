#pragma once
// What the Win32 adapter tests share: reading windows back through plain
// user32 calls, finding the windows the toolkit made, the one toolkit of the
// process, and a form of its own for every toolkit test (a window class is
// registered once a process).

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>
#include <string>

#include "platform/win32/Win32Toolkit.h"

namespace win32test {

// The window's caption through GetWindowTextA.
std::string textOf(HWND hwnd);

// The top-level window of that class and title, once it is there (at most 5 s).
HWND waitForWindow(const char* windowClass, const char* title);

long long millisecondsSince(std::chrono::steady_clock::time_point start);

// The toolkit's form of that name, and a control on it.
HWND formNamed(const char* name);
HWND controlNamed(HWND form, const char* name);

varnok::platform::win32::Win32Toolkit& sharedToolkit();

// A hidden form named "check" and the test's name, kWidth x kHeight twips of
// client area on a dark blue background.
class ToolkitForm : public ::testing::Test {
  protected:
    static constexpr int kWidth = 6525, kHeight = 5565;

    void SetUp() override {
        const std::string name =
            std::string("check") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        window = toolkit.createWindow({.name = name,
                                       .caption = "Check form",
                                       .clientWidth = kWidth,
                                       .clientHeight = kHeight,
                                       .background = varnok::ui::Rgb{0, 0, 64}});
        form = formNamed(name.c_str());
        ASSERT_NE(form, nullptr);
    }

    varnok::platform::win32::Win32Toolkit& toolkit = sharedToolkit();
    std::unique_ptr<varnok::ui::Window> window;
    HWND form = nullptr;
};

// Set by --captions-without-ms-sans-serif: the run is in a prefix without
// MS Sans Serif, and only the captions are tested.
extern bool withoutMsSansSerif;

// The helper mode --hung-window: a window whose thread stops answering for a
// while (Win32WindowManagerTest.cpp).
int runHungWindow();

// The helper mode --open-song <path> <mf|ds> <answer file>: opens the song in
// a graph of Varnok's engines ("mf") or of DirectShow alone ("ds") and writes
// "yes", "no" or "none" into the answer file (MediaGraphTest.cpp).
int runOpenSong(const char* path, const char* engines, const char* answerFile);

}  // namespace win32test
