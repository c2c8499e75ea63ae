#include "platform/win32/Win32Wakeups.h"

#include <algorithm>

namespace varnok::platform::win32 {

Win32Wakeups::~Win32Wakeups() {
    closeFolders();
    closeProcess();
}

// A folder that does not exist (yet) cannot be watched: the game makes its
// log's folder when it opens the log, and the turns look for the file anyway.
void Win32Wakeups::watchFolders(const std::vector<std::filesystem::path>& folders) {
    if (folders == folders_ && changes_.size() == folders.size()) return;
    closeFolders();
    folders_ = folders;
    for (const std::filesystem::path& folder : folders) {
        HANDLE change = FindFirstChangeNotificationW(
            folder.c_str(), FALSE,
            FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
        if (change != INVALID_HANDLE_VALUE) changes_.push_back(change);
    }
    collect();
}

void Win32Wakeups::watchProcessOf(console::WindowHandle window) {
    DWORD id = 0;
    if (window != 0) GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &id);
    watchProcess(id);
}

void Win32Wakeups::watchProcess(std::uint32_t process) {
    const DWORD id = process;
    if (id == processId_ && (process_ != nullptr || id == 0)) return;
    closeProcess();
    ended_ = false;
    if (id != 0 && id != GetCurrentProcessId()) {
        process_ = OpenProcess(SYNCHRONIZE, FALSE, id);
        processId_ = id;
    }
    collect();
}

bool Win32Wakeups::takeProcessEnd() {
    const bool ended = ended_;
    ended_ = false;
    return ended;
}

// %LOCALAPPDATA%\VirtualStore\<the path without its drive>.
std::optional<std::filesystem::path> Win32Wakeups::virtualStoreTwin(
    const std::filesystem::path& file) {
    if (!file.has_root_name() || !file.has_root_directory()) return std::nullopt;
    wchar_t local[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    return std::filesystem::path(local) / L"VirtualStore" / file.relative_path();
}

void Win32Wakeups::signalled(HANDLE handle) {
    if (handle == process_) {
        ended_ = true;
        closeProcess();
        collect();
        return;
    }
    if (std::find(changes_.begin(), changes_.end(), handle) != changes_.end())
        FindNextChangeNotification(handle);
}

void Win32Wakeups::closeFolders() {
    for (HANDLE change : changes_) FindCloseChangeNotification(change);
    changes_.clear();
    folders_.clear();
    collect();
}

void Win32Wakeups::closeProcess() {
    if (process_ != nullptr) CloseHandle(process_);
    process_ = nullptr;
}

void Win32Wakeups::collect() {
    handles_.clear();
    handles_ = changes_;
    if (process_ != nullptr) handles_.push_back(process_);
}

}  // namespace varnok::platform::win32
