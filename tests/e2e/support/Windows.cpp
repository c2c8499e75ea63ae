#include "support/Windows.h"

#include <thread>
#include <vector>

namespace e2e {

bool waitUntil(const std::function<bool()>& condition, Millis timeout, Millis poll) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(poll);
    }
}

namespace {

struct Search {
    const char* className;
    const char* title;
    DWORD processId;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (search->processId != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search->processId) return TRUE;
    }
    if (search->className && className(window) != search->className) return TRUE;
    if (search->title) {
        // GetWindowTextA reads a foreign window's caption without messaging it.
        char buffer[512] = {};
        GetWindowTextA(window, buffer, sizeof buffer);
        if (std::string(buffer) != search->title) return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

HWND findTopLevelWindow(const char* wantedClass, const char* title, DWORD processId) {
    Search search{wantedClass, title, processId, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForTopLevelWindow(const char* wantedClass, const char* title, DWORD processId,
                           Millis timeout) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            found = findTopLevelWindow(wantedClass, title, processId);
            return found != nullptr;
        },
        timeout);
    return found;
}

bool setWindowText(HWND window, const std::string& text, UINT timeoutMs) {
    DWORD_PTR ignored = 0;
    return window &&
           SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

std::optional<std::string> windowText(HWND window, UINT timeoutMs) {
    if (!window || !IsWindow(window)) return std::nullopt;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             timeoutMs, &length))
        return std::nullopt;
    std::vector<char> buffer(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             timeoutMs, &copied))
        return std::nullopt;
    return std::string(buffer.data(), copied);
}

std::string className(HWND window) {
    char buffer[256] = {};
    GetClassNameA(window, buffer, sizeof buffer);
    return buffer;
}

bool answersWithin(HWND window, UINT timeoutMs) {
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                         timeoutMs, &result) != 0;
}

HWND nthChild(HWND parent, int n) {
    if (!parent) return nullptr;
    HWND child = GetWindow(parent, GW_CHILD);
    for (int i = 0; i < n && child; ++i) child = GetWindow(child, GW_HWNDNEXT);
    return child;
}

bool isShown(HWND window) {
    return window && IsWindow(window) && IsWindowVisible(window);
}

}  // namespace e2e
