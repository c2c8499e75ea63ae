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

// The options with the game's folders filled in when none is given: the
// working folder, as the retail game takes it, or the program's own folder,
// as a community client's portable build does; its home as the client has it.
Options completed(Options options) {
    if (options.basePath.empty() && isCommunity(options.client)) {
        options.basePath = programFolder();
    } else if (options.basePath.empty()) {
        char folder[MAX_PATH] = "";
        DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
        options.basePath = length > 0 && length < MAX_PATH ? std::string(folder, length) : ".";
    }
    if (options.homePath.empty())
        options.homePath = defaultHomePath(options.client, options.basePath);
    return options;
}

std::string logFolder(const Options& options) {
    return options.homePath + "\\" +
           (options.modFolder.empty() ? std::string(defaultWriteFolder(options.client))
                                      : options.modFolder);
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
      log_(logFolder(options_), options_.client == Client::openjk),
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
    game.lpszClassName = mainWindowClass(options_.client);

    if (!RegisterClassA(&control) || !RegisterClassA(&game) ||
        !ConsoleWindow::registerClass(instance))
        return false;

    if (isCommunity(options_.client)) {
        // EternalJK sets up its parent's console first, then starts the log
        // the command line asked for: what was typed before the log's first
        // line is gone.
        DWORD flushed = 0;
        if (options_.client == Client::eternaljk && parentConsole_.attach(flushed) && flushed > 0)
            records_.fault("lost", std::to_string(flushed) + " records: typed before the start");
        std::string opened = log_.start(std::atol(logfile_.c_str()));
        if (!opened.empty()) pane_.print(opened);
    } else if (options_.createConsole) {
        // The game creates its console before anything else.
        openConsole();
    }

    game_ =
        CreateWindowExA(0, mainWindowClass(options_.client), mainWindowTitle(options_.client),
                        WS_OVERLAPPEDWINDOW, 10, 10, 400, 300, nullptr, nullptr, instance, nullptr);
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
    if (console_.window() || isCommunity(options_.client)) return;
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

void StandIn::consoleLineTyped(const std::string& line) {
    records_.stamp("typed " + line);
    records_.typed(line);
    print(line + "\n");
    consoleInput_ += line + "\n";
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
