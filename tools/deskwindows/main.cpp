// deskwindows.exe [N]: opens N small top-level windows (default 200), every
// second one hidden, and keeps them until it is ended. A desktop holds many
// such windows; the benchmark uses them to show what a window search costs.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    long count = __argc > 1 ? std::strtol(__argv[1], nullptr, 10) : 200;
    if (count < 0) count = 0;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "VarnokBenchWindow";
    if (!RegisterClassA(&windowClass)) return 1;

    for (long i = 0; i < count; ++i) {
        std::string title = "Bench window " + std::to_string(i);
        // Small and in a corner of the desktop, so they cover nothing that matters.
        int x = 10 + static_cast<int>(i % 20) * 12, y = 700 + static_cast<int>(i / 20) % 10 * 12;
        HWND window = CreateWindowExA(
            WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, windowClass.lpszClassName, title.c_str(),
            WS_POPUP | WS_BORDER, x, y, 40, 24, nullptr, nullptr, instance, nullptr);
        if (window == nullptr) {
            std::fprintf(stderr, "deskwindows: window %ld could not be created\n", i);
            return 1;
        }
        if (i % 2 == 0) ShowWindow(window, SW_SHOWNOACTIVATE);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
