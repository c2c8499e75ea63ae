// What the drive and folder lists show: the system's drives, the process's
// current folder and the subfolders of the open folder.

#include "platform/win32/SystemText.h"
#include "platform/win32/Win32Forms.h"

#include <algorithm>
#include <cctype>

namespace varnok::platform::win32 {

namespace {

bool isRootFolder(const std::string& folder) {
    return folder.size() <= 3;
}

void fillFolderList(ControlState& list) {
    SendMessageA(list.hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list.hwnd, LB_RESETCONTENT, 0, 0);
    list.folderItems.clear();
    auto add = [&](const std::string& shown, const std::string& target) {
        SendMessageA(list.hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        list.folderItems.push_back(target);
    };
    // The first row names the open folder itself; "[..]" goes up; "[name]" goes in.
    add(list.folder, list.folder);
    std::string base = list.folder;
    if (!base.empty() && base.back() != '\\') base += '\\';
    if (!isRootFolder(list.folder)) {
        std::string parent = list.folder.substr(0, list.folder.find_last_of('\\'));
        if (parent.size() == 2) parent += '\\';  // "c:" -> "c:\"
        add("[..]", parent);
    }
    std::vector<std::string> names;
    // Wide calls, with names through the program's one text rule.
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(toWide(base + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fromWide(found.cFileName);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) continue;
            if ((found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0)
                continue;
            if (name == "." || name == "..") continue;
            names.push_back(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    for (const std::string& name : names) add("[" + name + "]", base + name);
    SendMessageA(list.hwnd, LB_SETCURSEL, 0, 0);
    SendMessageA(list.hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list.hwnd, nullptr, TRUE);
}

// A full path without a trailing backslash (but "c:\" for a root). A bare
// drive such as "c:" resolves to that drive's current folder.
std::optional<std::string> resolveFolder(const std::string& path) {
    if (path.empty()) return std::nullopt;
    wchar_t full[MAX_PATH * 4] = {};
    const DWORD length = GetFullPathNameW(toWide(path).c_str(), MAX_PATH * 4, full, nullptr);
    if (length == 0 || length >= MAX_PATH * 4) return std::nullopt;
    std::string folder = fromWide(std::wstring_view(full, length));
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    DWORD attributes = GetFileAttributesW(toWide(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return std::nullopt;
    return folder;
}

}  // namespace

void setFolder(ControlState& list, const std::string& path) {
    auto folder = resolveFolder(path);
    if (!folder) return;
    list.folder = *folder;
    fillFolderList(list);
}

std::vector<std::string> logicalDrives() {
    std::vector<std::string> drives;
    char buffer[26 * 4 + 1] = {};
    DWORD length = GetLogicalDriveStringsA(sizeof(buffer) - 1, buffer);
    if (length == 0 || length >= sizeof(buffer)) return drives;
    for (const char* entry = buffer; *entry != '\0'; entry += lstrlenA(entry) + 1) {
        std::string drive(entry, 2);  // "C:\" -> "c:"
        drive[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(drive[0])));
        drives.push_back(drive);
    }
    return drives;
}

std::string currentFolder() {
    wchar_t buffer[MAX_PATH * 4] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH * 4, buffer);
    if (length == 0 || length >= MAX_PATH * 4) return "c:\\";
    return fromWide(std::wstring_view(buffer, length));
}

}  // namespace varnok::platform::win32
