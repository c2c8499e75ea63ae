#include "platform/win32/Win32HiddenConsole.h"

#include <windows.h>

#include <chrono>

namespace varnok::platform::win32 {

namespace {

constexpr DWORD kRetryMs = 20;
constexpr unsigned kMostTries = 100;  // two seconds

// The console program: the system's command interpreter, waiting for a
// command that never comes until it is ended.
std::wstring helperProgram() {
    wchar_t folder[MAX_PATH] = L"";
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return L"cmd.exe";
    return std::wstring(folder, length) + L"\\cmd.exe";
}

std::string lastErrorText(const char* what) {
    return std::string(what) + " failed (error " + std::to_string(GetLastError()) + ")";
}

}  // namespace

HiddenConsole makeHiddenConsole() {
    HiddenConsole result;
    const auto started = std::chrono::steady_clock::now();
    const std::wstring program = helperProgram();
    std::wstring commandLine = L"\"" + program + L"\" /k";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION helper{};
    // No job object guards the program: the console's host may be its child
    // and in its job, and a job that ends its processes would end the console.
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &helper)) {
        result.failure = lastErrorText("starting the console program");
        return result;
    }
    CloseHandle(helper.hThread);

    // Any console the process had (Wine gives a console program started from
    // a shell one that cannot be read) would make AttachConsole fail.
    FreeConsole();
    while (!result.made && result.attachTries < kMostTries) {
        ++result.attachTries;
        if (AttachConsole(helper.dwProcessId)) {
            result.made = true;
        } else if (WaitForSingleObject(helper.hProcess, kRetryMs) != WAIT_TIMEOUT) {
            result.failure = "the console program ended before its console could be joined";
            break;
        }
    }
    if (!result.made && result.failure.empty())
        result.failure = lastErrorText("joining the console program's console");
    result.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();

    TerminateProcess(helper.hProcess, 0);
    WaitForSingleObject(helper.hProcess, 1000);
    CloseHandle(helper.hProcess);
    return result;
}

}  // namespace varnok::platform::win32
