#include "ConsoleWindow.h"

#include "ControlProtocol.h"

namespace standin {

namespace {

constexpr DWORD kConsoleStyle = WS_POPUPWINDOW | WS_CAPTION | WS_MINIMIZEBOX;
constexpr int kClientWidth = 600;
constexpr int kClientHeight = 450;

constexpr COLORREF kPaneBack = RGB(24, 24, 96);
constexpr COLORREF kPaneText = RGB(255, 255, 0);

HBRUSH paneBrush() {
    static HBRUSH brush = CreateSolidBrush(kPaneBack);
    return brush;
}

HWND createChild(HWND parent, HINSTANCE instance, const char* windowClass, DWORD style, int id,
                 RECT place) {
    return CreateWindowExA(0, windowClass, nullptr, WS_CHILD | WS_VISIBLE | style, place.left,
                           place.top, place.right, place.bottom, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

// Keeps the creation order as the z-order whatever the platform does with a
// new child: each goes to the bottom in turn.
void toBottom(HWND child) {
    SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
}

}  // namespace

std::string windowText(HWND window, int limit) {
    std::string text(static_cast<size_t>(limit) + 1, '\0');
    int copied = GetWindowTextA(window, text.data(), limit + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

bool ConsoleWindow::registerClass(HINSTANCE instance) {
    WNDCLASSA console{};
    console.lpfnWndProc = windowProc;
    console.hInstance = instance;
    console.hCursor = LoadCursor(nullptr, IDC_ARROW);
    console.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    console.lpszClassName = kConsoleClass;
    return RegisterClassA(&console) != 0;
}

bool ConsoleWindow::create(HINSTANCE instance, bool shown) {
    if (window_) return true;
    instance_ = instance;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, kConsoleStyle, FALSE);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    window_ = CreateWindowExA(0, kConsoleClass, kConsoleTitle, kConsoleStyle, left, top, width,
                              height, nullptr, nullptr, instance, nullptr);
    if (!window_) return false;
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    font_ =
        CreateFontA(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");

    input_ =
        createChild(window_, instance, "edit", WS_BORDER | ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP,
                    kInputId, {6, 394, 588, 22});
    constexpr DWORD kButton = BS_PUSHBUTTON | BS_DEFPUSHBUTTON;
    HWND copy = createChild(window_, instance, "button", kButton, kCopyId, {6, 422, 72, 24});
    SendMessageA(copy, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Copy"));
    HWND clear = createChild(window_, instance, "button", kButton, kClearId, {84, 422, 72, 24});
    SendMessageA(clear, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Clear"));
    HWND quit = createChild(window_, instance, "button", kButton, kQuitId, {522, 422, 72, 24});
    SendMessageA(quit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Quit"));
    pane_ =
        createChild(window_, instance, "edit",
                    WS_VSCROLL | WS_BORDER | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                    kPaneId, {6, 6, 588, 382});
    if (!input_ || !copy || !clear || !quit || !pane_) {
        destroy();
        return false;
    }
    for (HWND child : {input_, copy, clear, quit, pane_}) toBottom(child);

    SendMessageA(pane_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageA(input_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageA(pane_, EM_LIMITTEXT, 0x7fff, 0);
    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(input_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(inputProc)));
    if (shown) show(true);
    return true;
}

void ConsoleWindow::destroy() {
    if (window_) {
        HWND window = window_;
        window_ = input_ = pane_ = errorBox_ = nullptr;
        DestroyWindow(window);
    }
    if (font_) DeleteObject(font_);
    font_ = nullptr;
}

void ConsoleWindow::show(bool shown) {
    if (!window_) return;
    ShowWindow(window_, shown ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (shown) UpdateWindow(window_);
}

void ConsoleWindow::moveTo(int left, int top) {
    if (window_)
        SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ConsoleWindow::showFatalError(const std::string& message) {
    if (!window_) return;
    if (input_) {
        DestroyWindow(input_);
        input_ = nullptr;
    }
    if (!errorBox_) {
        errorBox_ = createChild(window_, instance_, "static", 0, kErrorBoxId, {6, 394, 588, 22});
        if (errorBox_) toBottom(errorBox_);
    }
    if (errorBox_) SetWindowTextA(errorBox_, message.c_str());
    show(true);
}

ConsoleWindow* ConsoleWindow::owner(HWND window) {
    return reinterpret_cast<ConsoleWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void ConsoleWindow::enter() {
    std::string line = windowText(input_, kLongestInput);
    SetWindowTextA(input_, "");
    bool fits = history_.add(line);
    events_.lineEntered(line, !fits);
}

LRESULT CALLBACK ConsoleWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    ConsoleWindow* self = owner(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            if (LOWORD(wParam) == kCopyId) self->events_.copyPressed();
            if (LOWORD(wParam) == kClearId) self->events_.clearPressed();
            if (LOWORD(wParam) == kQuitId) self->events_.quitPressed();
            return 0;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == self->pane_) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, kPaneText);
                SetBkColor(dc, kPaneBack);
                return reinterpret_cast<LRESULT>(paneBrush());
            }
            break;
        case WM_CLOSE:
            self->show(false);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Only WM_CHAR 13 is Enter. Every other character falls through to the key
// handling, where the codes of the up and down arrows ('&' and '(') recall
// history lines; a WM_KEYDOWN of Enter reaches the edit control, which ignores
// it (a posted one becomes WM_CHAR 13 through the game's TranslateMessage).
LRESULT CALLBACK ConsoleWindow::inputProc(HWND input, UINT message, WPARAM wParam, LPARAM lParam) {
    ConsoleWindow* self = owner(GetParent(input));
    if (!self || !self->editProc_) return DefWindowProcA(input, message, wParam, lParam);
    if (message == WM_CHAR && wParam == 13) {
        self->enter();
        return 0;
    }
    if ((message == WM_CHAR || message == WM_KEYDOWN) && (wParam == VK_UP || wParam == VK_DOWN)) {
        std::string line = wParam == VK_UP ? self->history_.older() : self->history_.newer();
        SetWindowTextA(input, line.c_str());
        SendMessageA(input, EM_SETSEL, line.size(), line.size());
        return 0;
    }
    return CallWindowProcA(self->editProc_, input, message, wParam, lParam);
}

}  // namespace standin
