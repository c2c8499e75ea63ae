// The adapter tests' main: the helper mode the window manager's tests start
// this program in, the common controls every toolkit test needs, and the run
// in a prefix without MS Sans Serif, where only the captions are of interest.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "Win32TestSupport.h"
#include "ports/ControlIds.h"

namespace win32test {

bool withoutMsSansSerif = false;

std::string textOf(HWND hwnd) {
    char buffer[1024] = {};
    GetWindowTextA(hwnd, buffer, sizeof(buffer));
    return buffer;
}

HWND waitForWindow(const char* windowClass, const char* title) {
    HWND window = FindWindowA(windowClass, title);
    for (int i = 0; i < 500 && window == nullptr; ++i, window = FindWindowA(windowClass, title))
        Sleep(10);
    return window;
}

long long millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

HWND formNamed(const char* name) {
    return FindWindowA(varnok::ui::windowClassName(name).c_str(), nullptr);
}

HWND controlNamed(HWND form, const char* name) {
    return GetDlgItem(form, varnok::ui::controlId(name));
}

varnok::platform::win32::Win32Toolkit& sharedToolkit() {
    static varnok::platform::win32::Win32Toolkit toolkit;
    return toolkit;
}

}  // namespace win32test

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--hung-window") == 0) return win32test::runHungWindow();
    if (argc > 4 && std::strcmp(argv[1], "--open-song") == 0)
        return win32test::runOpenSong(argv[2], argv[3], argv[4]);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--captions-without-ms-sans-serif") == 0) {
        win32test::withoutMsSansSerif = true;
        GTEST_FLAG_SET(filter, "Captions.*");
    }
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    return RUN_ALL_TESTS();
}
