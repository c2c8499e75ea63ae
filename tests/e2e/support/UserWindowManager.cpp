#include "support/UserWindowManager.h"

#include <windows.h>

#include <vector>

namespace e2e {

namespace {

constexpr UINT kTimeoutMs = 5000;

HWND asWindow(varnok::console::WindowHandle handle) {
    return reinterpret_cast<HWND>(handle);
}
varnok::console::WindowHandle asHandle(HWND window) {
    return reinterpret_cast<varnok::console::WindowHandle>(window);
}

bool sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
    return window && SendMessageTimeoutA(window, message, wParam, lParam,
                                         SMTO_ABORTIFHUNG | SMTO_BLOCK, kTimeoutMs, &result) != 0;
}

struct Visit {
    const std::function<bool(varnok::console::WindowHandle)>* visit;
};

BOOL CALLBACK visitChild(HWND child, LPARAM context) {
    auto* visit = reinterpret_cast<Visit*>(context);
    return (*visit->visit)(asHandle(child)) ? TRUE : FALSE;
}

}  // namespace

UserWindowManager::WindowHandle UserWindowManager::findWindow(
    const std::optional<std::string>& windowClass, const std::optional<std::string>& title) {
    return asHandle(FindWindowA(windowClass ? windowClass->c_str() : nullptr,
                                title ? title->c_str() : nullptr));
}

UserWindowManager::WindowHandle UserWindowManager::relative(WindowHandle window,
                                                            varnok::console::Relation relation) {
    if (!window) return 0;
    UINT command = relation == varnok::console::Relation::FirstChild ? GW_CHILD : GW_HWNDNEXT;
    return asHandle(GetWindow(asWindow(window), command));
}

void UserWindowManager::enumChildren(WindowHandle parent,
                                     const std::function<bool(WindowHandle)>& visit) {
    if (!parent) return;
    Visit context{&visit};
    EnumChildWindows(asWindow(parent), visitChild, reinterpret_cast<LPARAM>(&context));
}

std::string UserWindowManager::caption(WindowHandle window, int bufferSize) {
    if (bufferSize <= 0) return "";
    std::vector<char> buffer(static_cast<size_t>(bufferSize), '\0');
    int copied = GetWindowTextA(asWindow(window), buffer.data(), bufferSize);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

bool UserWindowManager::setText(WindowHandle window, const std::string& text) {
    DWORD_PTR result = 0;
    return sendWithTimeout(asWindow(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                           result);
}

bool UserWindowManager::sendChar(WindowHandle window, unsigned char code, long keyData) {
    DWORD_PTR result = 0;
    return sendWithTimeout(asWindow(window), WM_CHAR, code, keyData, result);
}

long UserWindowManager::textLength(WindowHandle window) {
    DWORD_PTR result = 0;
    if (!sendWithTimeout(asWindow(window), WM_GETTEXTLENGTH, 0, 0, result)) return 0;
    return static_cast<long>(result);
}

std::string UserWindowManager::text(WindowHandle window, long bufferSize) {
    if (bufferSize <= 0) return "";
    std::vector<char> buffer(static_cast<size_t>(bufferSize), '\0');
    DWORD_PTR copied = 0;
    if (!sendWithTimeout(asWindow(window), WM_GETTEXT, static_cast<WPARAM>(bufferSize),
                         reinterpret_cast<LPARAM>(buffer.data()), copied))
        return "";
    return std::string(buffer.data(), copied);
}

void UserWindowManager::show(WindowHandle window, varnok::console::ShowCommand command) {
    if (!window) return;
    ShowWindow(asWindow(window), command == varnok::console::ShowCommand::Show ? SW_SHOW : SW_HIDE);
}

void UserWindowManager::reposition(WindowHandle window, int x, int y, int width, int height,
                                   unsigned flags) {
    if (!window) return;
    SetWindowPos(asWindow(window), HWND_TOP, x, y, width, height, flags);
}

}  // namespace e2e
