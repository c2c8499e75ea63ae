#include "StandIn.h"

#include <cstdlib>

#include "ControlProtocol.h"

namespace standin {

namespace {

StandIn* ownerOf(HWND window) {
    return reinterpret_cast<StandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LARGE_INTEGER performanceFrequency() {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return frequency;
}

// The options with the game's folder filled in when none is given: the
// working folder, as the game takes it.
Options completed(Options options) {
    if (!options.basePath.empty()) return options;
    char folder[MAX_PATH] = "";
    DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    options.basePath = length > 0 && length < MAX_PATH ? std::string(folder, length) : ".";
    return options;
}

}  // namespace

StandIn::StandIn(Options options)
    : frequency_(performanceFrequency()),
      options_(completed(std::move(options))),
      records_(options_.records),
      console_(*this),
      pane_(records_),
      server_(options_.network, now()),
      playerName_(options_.playerName),
      language_(options_.language),
      logfile_(options_.logfile),
      log_(options_.basePath + "\\" +
           (options_.modFolder.empty() ? std::string("base") : options_.modFolder)),
      connected_(options_.connected) {}

void StandIn::print(const std::string& text) {
    pane_.print(text);
    std::string opened = log_.write(text, std::atol(logfile_.c_str()));
    if (!opened.empty()) pane_.print(opened);
}

StandIn::~StandIn() {
    closeConsole();
    if (game_) DestroyWindow(game_);
    if (control_) DestroyWindow(control_);
}

bool StandIn::create(HINSTANCE instance) {
    instance_ = instance;

    WNDCLASSA control{};
    control.lpfnWndProc = controlProc;
    control.hInstance = instance;
    control.lpszClassName = kControlClass;

    WNDCLASSA game{};
    game.lpfnWndProc = gameProc;
    game.hInstance = instance;
    game.hCursor = LoadCursor(nullptr, IDC_ARROW);
    game.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    game.lpszClassName = kGameClass;

    if (!RegisterClassA(&control) || !RegisterClassA(&game) ||
        !ConsoleWindow::registerClass(instance))
        return false;

    // The game creates its console before anything else.
    if (options_.createConsole) openConsole();

    game_ = CreateWindowExA(0, kGameClass, kGameTitle, WS_OVERLAPPEDWINDOW, 10, 10, 400, 300,
                            nullptr, nullptr, instance, nullptr);
    if (!game_) return false;
    SetWindowLongPtrA(game_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (options_.showGame) ShowWindow(game_, SW_SHOWNOACTIVATE);

    // Created last: a client that finds the control window finds the rest too.
    control_ = CreateWindowExA(0, kControlClass, kControlTitle, WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                               nullptr, instance, nullptr);
    if (!control_) return false;
    SetWindowLongPtrA(control_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    loadScript();
    if (!script_.empty()) SetTimer(control_, kScriptTimer, 10, nullptr);
    return true;
}

void StandIn::openConsole() {
    if (console_.window()) return;
    if (console_.create(instance_, options_.showConsole)) pane_.attach(console_.pane());
}

void StandIn::closeConsole() {
    pane_.attach(nullptr);
    console_.destroy();
}

void StandIn::lineEntered(const std::string& line, bool overran) {
    records_.stamp("typed " + line);
    records_.typed(line);
    if (overran) records_.fault("overrun", std::to_string(line.size()) + " characters: " + line);
    consoleInput_ += line + "\n";
    // The console window's own echo: not a print of the game, so not in its log.
    pane_.print("]" + line + "\n");
}

LRESULT CALLBACK StandIn::gameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    StandIn* self = ownerOf(window);
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
            if (self) self->quitting_ = true;
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace standin
