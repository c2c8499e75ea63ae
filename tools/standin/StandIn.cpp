#include "StandIn.h"

#include "ControlProtocol.h"

namespace standin {

namespace {

StandIn* ownerOf(HWND window) {
    return reinterpret_cast<StandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace

StandIn::StandIn(Options options)
    : options_(std::move(options)),
      records_(options_.records),
      console_(*this),
      pane_(records_),
      server_(options_.roundTripMs),
      playerName_(options_.playerName),
      connected_(options_.connected) {
    QueryPerformanceFrequency(&frequency_);
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
    print("]" + line + "\n");
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
