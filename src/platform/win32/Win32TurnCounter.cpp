#include "platform/win32/Win32TurnCounter.h"

#include <windows.h>

namespace varnok::platform::win32 {

Win32TurnCounter::Win32TurnCounter() {
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("VARNOK_TURN_COUNTER", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    HANDLE file =
        CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    HANDLE mapping =
        CreateFileMappingA(file, nullptr, PAGE_READWRITE, 0, kSlots * sizeof(std::uint64_t), nullptr);
    CloseHandle(file);
    if (mapping == nullptr) return;
    void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kSlots * sizeof(std::uint64_t));
    CloseHandle(mapping);
    view_ = static_cast<volatile std::uint64_t*>(view);
}

Win32TurnCounter::~Win32TurnCounter() {
    if (view_ != nullptr) UnmapViewOfFile(const_cast<std::uint64_t*>(view_));
}

}  // namespace varnok::platform::win32
