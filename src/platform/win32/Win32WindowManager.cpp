#include "platform/win32/Win32WindowManager.h"

#include <windows.h>

#include <vector>

#include "console/ConsoleLink.h"

namespace varnok::platform::win32 {

using console::WindowHandle;

namespace {

HWND toHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
WindowHandle toHandle(HWND hwnd) {
    return reinterpret_cast<WindowHandle>(hwnd);
}

// Sends one message and waits at most `timeoutMs` for the answer; gives up at
// once when the receiving thread is already known to be hung. Nothing when the
// window is gone, hung or too slow.
std::optional<LRESULT> sendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       unsigned timeoutMs) {
    if (hwnd == nullptr) return std::nullopt;
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                            timeoutMs, &result) == 0)
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

// A window that belongs to another thread (the game's) is shown and moved
// without waiting for that thread: a synchronous ShowWindow or SetWindowPos
// would block on a hung game just as SendMessageA does.
bool ownedByOtherThread(HWND hwnd) {
    return GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId();
}

struct EnumContext {
    const std::function<bool(WindowHandle)>* visit;
};

BOOL CALLBACK enumChildProc(HWND child, LPARAM context) {
    auto* ctx = reinterpret_cast<EnumContext*>(context);
    // An exception must not unwind through user32; it ends the enumeration.
    try {
        return (*ctx->visit)(toHandle(child)) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

WindowHandle Win32WindowManager::findWindow(const std::optional<std::string>& windowClass,
                                            const std::optional<std::string>& title) {
    return toHandle(FindWindowA(windowClass ? windowClass->c_str() : nullptr,
                                title ? title->c_str() : nullptr));
}

WindowHandle Win32WindowManager::relative(WindowHandle window, console::Relation relation) {
    if (window == 0) return 0;
    UINT command = relation == console::Relation::FirstChild ? GW_CHILD : GW_HWNDNEXT;
    return toHandle(GetWindow(toHwnd(window), command));
}

void Win32WindowManager::enumChildren(WindowHandle parent,
                                      const std::function<bool(WindowHandle)>& visit) {
    if (parent == 0) return;
    EnumContext context{&visit};
    EnumChildWindows(toHwnd(parent), enumChildProc, reinterpret_cast<LPARAM>(&context));
}

// GetWindowTextA on a window of another process does not send WM_GETTEXT: the
// window manager answers from the caption it keeps for every window, so a hung
// game cannot block this call (on Windows and under Wine alike). Only windows
// of Varnok's own process get the message, and those never hang on it.
std::string Win32WindowManager::caption(WindowHandle window, int bufferSize) {
    if (window == 0 || bufferSize <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(bufferSize), '\0');
    int copied = GetWindowTextA(toHwnd(window), buffer.data(), bufferSize);
    if (copied <= 0) return {};
    if (copied > bufferSize - 1) copied = bufferSize - 1;
    return std::string(buffer.data(), static_cast<size_t>(copied));
}

bool Win32WindowManager::setText(WindowHandle window, const std::string& text) {
    std::vector<unsigned char> bytes = console::TextToBytes(text);
    return sendWithTimeout(toHwnd(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes.data()),
                           timeoutMs_)
        .has_value();
}

bool Win32WindowManager::sendChar(WindowHandle window, unsigned char code, long keyData) {
    return sendWithTimeout(toHwnd(window), WM_CHAR, code, static_cast<LPARAM>(keyData), timeoutMs_)
        .has_value();
}

long Win32WindowManager::textLength(WindowHandle window) {
    auto length = sendWithTimeout(toHwnd(window), WM_GETTEXTLENGTH, 0, 0, timeoutMs_);
    if (!length || *length < 0) return 0;
    return static_cast<long>(*length);
}

std::string Win32WindowManager::text(WindowHandle window, long bufferSize) {
    if (window == 0 || bufferSize <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(bufferSize), '\0');
    auto copied = sendWithTimeout(toHwnd(window), WM_GETTEXT, static_cast<WPARAM>(bufferSize),
                                  reinterpret_cast<LPARAM>(buffer.data()), timeoutMs_);
    if (!copied || *copied <= 0) return {};
    long count = static_cast<long>(*copied);
    if (count > bufferSize - 1) count = bufferSize - 1;
    return std::string(buffer.data(), static_cast<size_t>(count));
}

void Win32WindowManager::show(WindowHandle window, console::ShowCommand command) {
    if (window == 0) return;
    HWND hwnd = toHwnd(window);
    int show = command == console::ShowCommand::Show ? SW_SHOW : SW_HIDE;
    if (ownedByOtherThread(hwnd))
        ShowWindowAsync(hwnd, show);
    else
        ShowWindow(hwnd, show);
}

void Win32WindowManager::reposition(WindowHandle window, int x, int y, int width, int height,
                                    unsigned flags) {
    if (window == 0) return;
    HWND hwnd = toHwnd(window);
    if (ownedByOtherThread(hwnd)) flags |= SWP_ASYNCWINDOWPOS;
    SetWindowPos(hwnd, nullptr, x, y, width, height, flags);
}

}  // namespace varnok::platform::win32
