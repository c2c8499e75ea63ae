#pragma once
// Looking at other processes' windows from a test, never blocking on a hung
// one: every message sent to a foreign window carries a timeout.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace e2e {

using Millis = std::chrono::milliseconds;

// Polls `condition` every `poll` until it holds or `timeout` has passed;
// answers its last value.
bool waitUntil(const std::function<bool()>& condition, Millis timeout, Millis poll = Millis(50));

// The first top-level window (in z-order) with the given class and/or title
// (nullptr = any), and, when `processId` is not 0, owned by that process.
HWND findTopLevelWindow(const char* className, const char* title, DWORD processId = 0);
// As findTopLevelWindow, retried until found or `timeout` has passed.
HWND waitForTopLevelWindow(const char* className, const char* title, DWORD processId,
                           Millis timeout);

// The window's text through WM_GETTEXTLENGTH / WM_GETTEXT; nothing when the
// window is gone or does not answer within `timeoutMs`.
std::optional<std::string> windowText(HWND window, UINT timeoutMs = 2000);
// Sets the window's text (WM_SETTEXT), as typing it would; false when the
// window is gone or did not answer within `timeoutMs`.
bool setWindowText(HWND window, const std::string& text, UINT timeoutMs = 2000);
// The window's class name.
std::string className(HWND window);
// Whether the window answers WM_NULL within `timeoutMs`.
bool answersWithin(HWND window, UINT timeoutMs);
// The n-th child from the top of the z-order (0 = GetWindow GW_CHILD); 0 when absent.
HWND nthChild(HWND parent, int n);
// IsWindow && IsWindowVisible.
bool isShown(HWND window);

}  // namespace e2e
