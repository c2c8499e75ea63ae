#include "StandIn.h"

#include <cstring>

#include "ControlProtocol.h"
#include "GameText.h"
#include "StandInInternals.h"

namespace standin {

StandIn* g_standIn = nullptr;

namespace {

constexpr int kCopyButton = 101;
constexpr int kClearButton = 102;
constexpr int kQuitButton = 103;

constexpr COLORREF kPaneBack = RGB(24, 24, 32);
constexpr COLORREF kPaneText = RGB(230, 210, 120);

HBRUSH paneBrush() {
    static HBRUSH brush = CreateSolidBrush(kPaneBack);
    return brush;
}

std::string windowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

}  // namespace

StandIn::StandIn(Options options) : options_(std::move(options)), playerName_(options_.playerName) {
    g_standIn = this;
}

StandIn::~StandIn() {
    if (log_) std::fclose(log_);
    if (paneLog_) std::fclose(paneLog_);
    if (timing_) std::fclose(timing_);
    if (paneFont_) DeleteObject(paneFont_);
    g_standIn = nullptr;
}

bool StandIn::create(HINSTANCE instance) {
    instance_ = instance;

    WNDCLASSA control{};
    control.lpfnWndProc = controlProc;
    control.hInstance = instance;
    control.lpszClassName = kControlClass;

    WNDCLASSA console{};
    console.lpfnWndProc = consoleProc;
    console.hInstance = instance;
    console.hCursor = LoadCursor(nullptr, IDC_ARROW);
    console.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    console.lpszClassName = kConsoleClass;

    WNDCLASSA game{};
    game.lpfnWndProc = gameProc;
    game.hInstance = instance;
    game.hCursor = LoadCursor(nullptr, IDC_ARROW);
    game.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    game.lpszClassName = kGameClass;

    if (!RegisterClassA(&control) || !RegisterClassA(&console) || !RegisterClassA(&game))
        return false;

    paneFont_ =
        CreateFontA(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");

    if (!options_.logPath.empty()) log_ = std::fopen(options_.logPath.c_str(), "ab");
    if (!options_.paneLogPath.empty()) paneLog_ = std::fopen(options_.paneLogPath.c_str(), "ab");
    if (!options_.timingPath.empty()) timing_ = std::fopen(options_.timingPath.c_str(), "ab");

    game_ = CreateWindowExA(0, kGameClass, kGameTitle, WS_OVERLAPPEDWINDOW, 10, 10, 400, 300,
                            nullptr, nullptr, instance, nullptr);
    if (!game_) return false;
    if (options_.showGame) ShowWindow(game_, SW_SHOWNOACTIVATE);

    if (options_.openConsole) openConsole();

    // Created last: a client that finds the control window finds the rest too.
    control_ = CreateWindowExA(0, kControlClass, kControlTitle, WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                               nullptr, instance, nullptr);
    if (!control_) return false;

    loadScript();
    if (!script_.empty()) SetTimer(control_, kScriptTimer, 10, nullptr);
    return true;
}

void StandIn::openConsole() {
    if (console_) return;
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    console_ = CreateWindowExA(0, kConsoleClass, kConsoleTitle, style, 860, 10, 410, 620, nullptr,
                               nullptr, instance_, nullptr);
    if (!console_) return;
    RECT client{};
    GetClientRect(console_, &client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;

    // Created in the game's z-order, top first: input line, three buttons, pane.
    input_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                             4, height - 62, width - 8, 24, console_, nullptr, instance_, nullptr);
    HWND copy =
        CreateWindowExA(0, "BUTTON", "copy", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 4, height - 32,
                        80, 26, console_, reinterpret_cast<HMENU>(kCopyButton), instance_, nullptr);
    HWND clear = CreateWindowExA(0, "BUTTON", "clear", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 90,
                                 height - 32, 80, 26, console_,
                                 reinterpret_cast<HMENU>(kClearButton), instance_, nullptr);
    HWND quitButton = CreateWindowExA(0, "BUTTON", "quit", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                      width - 84, height - 32, 80, 26, console_,
                                      reinterpret_cast<HMENU>(kQuitButton), instance_, nullptr);
    pane_ = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 4, 4,
        width - 8, height - 72, console_, nullptr, instance_, nullptr);

    // Make the order explicit whatever the platform does with new children:
    // each window in turn goes to the bottom, so the first ends on top.
    for (HWND child : {input_, copy, clear, quitButton, pane_})
        SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);

    SendMessageA(input_, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    SendMessageA(pane_, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    SendMessageA(pane_, WM_SETFONT, reinterpret_cast<WPARAM>(paneFont_), FALSE);
    HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
    for (HWND child : {input_, copy, clear, quitButton})
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont), FALSE);

    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(input_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(inputProc)));

    ShowWindow(console_, SW_SHOWNOACTIVATE);
    UpdateWindow(console_);
}

void StandIn::closeConsole() {
    if (!console_) return;
    HWND console = console_;
    console_ = input_ = pane_ = nullptr;
    DestroyWindow(console);
}

void StandIn::quit() {
    if (control_) KillTimer(control_, kScriptTimer);
    closeConsole();
    if (game_) DestroyWindow(game_);
    if (control_) DestroyWindow(control_);
    game_ = control_ = nullptr;
    PostQuitMessage(0);
}

void StandIn::logLine(const std::string& line) {
    if (!log_) return;
    std::fwrite(line.data(), 1, line.size(), log_);
    std::fputc('\n', log_);
    std::fflush(log_);
}

void StandIn::stamp(const std::string& what) {
    if (!timing_) return;
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr ULONGLONG kUnixEpoch = 116444736000000000ULL;  // 1970-01-01 in 100 ns ticks
    std::fprintf(timing_, "%llu %s\n", (ticks - kUnixEpoch) / 10, what.c_str());
    std::fflush(timing_);
}

void StandIn::appendToPane(const std::string& text) {
    if (!pane_ || text.empty()) return;
    if (paneLog_) {
        std::fwrite(text.data(), 1, text.size(), paneLog_);
        std::fflush(paneLog_);
    }
    long length = GetWindowTextLengthA(pane_);
    AppendPlan plan = planAppend(length, text, kPaneCapacity);
    if (plan.emptyFirst) {
        SetWindowTextA(pane_, plan.text.c_str());
        length = 0;
    } else {
        SendMessageA(pane_, EM_SETSEL, length, length);
        SendMessageA(pane_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(plan.text.c_str()));
    }
    long expected = length + static_cast<long>(plan.text.size());
    if (GetWindowTextLengthA(pane_) != expected) {
        // An edit control that refuses replacements in a read-only pane: set the whole text.
        std::string whole = plan.emptyFirst ? plan.text : windowText(pane_) + plan.text;
        SetWindowTextA(pane_, whole.c_str());
    }
    long end = GetWindowTextLengthA(pane_);
    SendMessageA(pane_, EM_SETSEL, end, end);
    SendMessageA(pane_, EM_SCROLLCARET, 0, 0);
}

void StandIn::clearPane() {
    if (pane_) SetWindowTextA(pane_, "");
}

void StandIn::fillPane(long count) {
    if (!pane_) return;
    if (count > kPaneCapacity) count = kPaneCapacity;
    long length = GetWindowTextLengthA(pane_);
    if (count < length) {
        clearPane();
        length = 0;
    }
    appendToPane(fillerText(count - length));
}

void StandIn::typeLine(const std::string& line) {
    if (!input_) return;
    SendMessageA(input_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(input_, WM_CHAR, 13, 1);
}

void StandIn::runConsoleLine(const std::string& line) {
    logLine(line);
    if (line.empty()) return;
    appendToPane("]" + line + "\r\n");
    auto [verb, rest] = splitCommand(line);
    std::string word = consoleVerb(verb);
    if (word == "name") {
        if (rest.find_first_not_of(' ') == std::string::npos) {
            appendToPane(nameLine(playerName_));
        } else {
            appendToPane(renameLine(playerName_, rest));
            playerName_ = rest;
            if (game_) InvalidateRect(game_, nullptr, TRUE);
        }
    } else if (word == "say") {
        appendToPane(chatLine(playerName_, rest));
    } else if (word == "echo") {
        appendToPane(rest + "\r\n");
    } else if (word == "clear") {
        clearPane();
    } else {
        appendToPane("Unknown command \"" + word + "^7\"\r\n");
    }
}

void StandIn::copyPaneToClipboard() {
    if (!pane_ || !OpenClipboard(console_)) return;
    std::string text = windowText(pane_);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        EmptyClipboard();
        if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

LRESULT CALLBACK StandIn::consoleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    StandIn* self = g_standIn;
    switch (message) {
        case WM_COMMAND:
            if (!self) break;
            if (LOWORD(wParam) == kCopyButton) self->copyPaneToClipboard();
            if (LOWORD(wParam) == kClearButton) self->clearPane();
            if (LOWORD(wParam) == kQuitButton) self->quit();
            return 0;
        case WM_CTLCOLORSTATIC:
            if (self && reinterpret_cast<HWND>(lParam) == self->pane_) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, kPaneText);
                SetBkColor(dc, kPaneBack);
                return reinterpret_cast<LRESULT>(paneBrush());
            }
            break;
        case WM_CLOSE:
            if (self && self->console_ == window) {
                self->closeConsole();
                return 0;
            }
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK StandIn::gameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    StandIn* self = g_standIn;
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT client;
            GetClientRect(window, &client);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, RGB(255, 255, 0));
            std::string text = std::string("Jedi Knight Academy MP\n(stand-in game)\n\nPlayer: ") +
                               (self ? self->playerName_ : std::string());
            DrawTextA(dc, text.c_str(), -1, &client, DT_CENTER | DT_WORDBREAK);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_CLOSE:
            if (self) self->quit();
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK StandIn::inputProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    StandIn* self = g_standIn;
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_CHAR && wParam == 13) {
        std::string line = windowText(window);
        self->stamp("typed " + line);
        SetWindowTextA(window, "");
        self->runConsoleLine(line);
        return 0;
    }
    return CallWindowProcA(self->editProc_, window, message, wParam, lParam);
}

}  // namespace standin
