#pragma once
// What the Win32 adapter tests share: reading windows back through plain
// user32 calls, finding the windows the toolkit made, and the one toolkit of
// the process (a window class is registered once a process).

#include <windows.h>

#include <chrono>
#include <string>

#include "platform/win32/Win32Toolkit.h"

namespace win32test {

// The window's caption through GetWindowTextA.
std::string textOf(HWND hwnd);

long long millisecondsSince(std::chrono::steady_clock::time_point start);

// The toolkit's form of that name, and a control on it.
HWND formNamed(const char* name);
HWND controlNamed(HWND form, const char* name);

varnok::platform::win32::Win32Toolkit& sharedToolkit();

// Set by --captions-without-ms-sans-serif: the run is in a prefix without
// MS Sans Serif, and only the captions are tested.
extern bool withoutMsSansSerif;

// The helper mode --hung-window: a window whose thread stops answering for a
// while (Win32WindowManagerTest.cpp).
int runHungWindow();

}  // namespace win32test
