// Varnok.exe: the composition root. Builds the Win32 adapters, hands them to
// the application and runs its main window's load handler, which holds the
// main loop for the program's whole life and ends the process from inside it.

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <exception>
#include <filesystem>
#include <string>

#include "app/Application.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32ConsoleInput.h"
#include "platform/win32/Win32GameStarter.h"
#include "platform/win32/Win32MediaFactory.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/Win32VersionSource.h"
#include "platform/win32/Win32Wakeups.h"
#include "platform/win32/Win32WindowManager.h"
#include "ports/Failures.h"
#include "text/SystemPath.h"

namespace {

using namespace varnok;

std::filesystem::path programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::filesystem::current_path();
        if (length < path.size()) {
            path.resize(length);
            return std::filesystem::path(path).parent_path();
        }
        path.resize(path.size() * 2);
    }
}

// The command line: "--pane" reads the game's console pane only, never its
// log; "--game EXE ARGS..." starts the game with what follows it.
struct CommandLine {
    bool paneOnly = false;
    std::optional<ui::GameToStart> game;
};

CommandLine commandLine() {
    CommandLine line;
    for (int i = 1; i < __argc; ++i) {
        const std::string word = __argv[i];
        if (word == "--pane") {
            line.paneOnly = true;
        } else if (word == "--game" && i + 1 < __argc) {
            line.game =
                ui::GameToStart{text::toPath(__argv[i + 1]), {__argv + i + 2, __argv + __argc}};
            break;
        }
    }
    return line;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Failures contained at a turn or a handler are written for a debugger.
    engine::setFailureSink([](const std::string& line) { OutputDebugStringA(line.c_str()); });
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    // Once, on the user-interface thread that plays the songs.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    int exitCode = 0;
    try {
        platform::win32::Win32Toolkit toolkit;
        platform::win32::Win32WindowManager windows;
        platform::win32::Win32Clock clock;
        platform::win32::Win32VersionSource version;
        platform::win32::Win32MediaFactory media;
        platform::win32::Win32Wakeups wakeups;
        platform::win32::Win32GameStarter starter;
        platform::win32::Win32ConsoleInput consoleInput;
        toolkit.wakeAlsoFor(&wakeups);
        const CommandLine line = commandLine();
        ui::Services services{toolkit,         windows,       clock,    version,
                              media,           wakeups,       starter,  consoleInput,
                              programFolder(), line.paneOnly, line.game};
        ui::Application application(services);
        application.run();  // ends the process from inside the loop
    } catch (const std::exception& failure) {
        MessageBoxA(nullptr, failure.what(), "Varnok", MB_OK | MB_ICONERROR);
        exitCode = 1;
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}
