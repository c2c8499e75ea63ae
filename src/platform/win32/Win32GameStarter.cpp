#include "platform/win32/Win32GameStarter.h"

#include <shlobj.h>

#include "platform/win32/SystemText.h"
#include "ports/Failures.h"

namespace varnok::platform::win32 {

namespace {

std::wstring quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    // Before the closing quote too.
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

}  // namespace

std::wstring gameCommandLine(const std::filesystem::path& exe,
                             const std::vector<std::string>& arguments) {
    std::wstring line = L"\"" + exe.wstring() + L"\"";
    for (const std::string& argument : arguments) line += L" " + quoted(toWide(argument));
    return line;
}

Win32GameStarter::~Win32GameStarter() {
    for (const auto& [process, handle] : games_) CloseHandle(handle);
}

console::GameStarter::StartedGame Win32GameStarter::start(
    const std::filesystem::path& exe, const std::vector<std::string>& arguments) {
    if (!console_.made) {
        console_ = makeHiddenConsole();
        // Without the console the game still starts; it only cannot be typed to.
        if (!console_.made) engine::reportFailure("the hidden console", console_.failure);
    }
    std::wstring commandLine = gameCommandLine(exe, arguments);
    const std::wstring folder = exe.parent_path().wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION game{};
    if (!CreateProcessW(exe.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &game)) {
        return {0, "could not start the game (error " + std::to_string(GetLastError()) + ")"};
    }
    CloseHandle(game.hThread);
    games_[game.dwProcessId] = game.hProcess;
    return {game.dwProcessId, ""};
}

bool Win32GameStarter::running(std::uint32_t process) {
    auto game = games_.find(process);
    if (game == games_.end()) return false;
    if (WaitForSingleObject(game->second, 0) == WAIT_TIMEOUT) return true;
    CloseHandle(game->second);
    games_.erase(game);
    return false;
}

std::optional<std::filesystem::path> Win32GameStarter::documentsFolder() {
    wchar_t documents[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)))
        return std::nullopt;
    return std::filesystem::path(documents);
}

HANDLE Win32GameStarter::handleOf(std::uint32_t process) const {
    auto game = games_.find(process);
    return game == games_.end() ? nullptr : game->second;
}

}  // namespace varnok::platform::win32
