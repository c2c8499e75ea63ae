#pragma once
// Stable numeric ids for named controls and menu items, and window class names
// for named windows. The Win32 toolkit gives every control the id of its name,
// so that WM_COMMAND routing, GetDlgItem and the end-to-end tests (which find
// Varnok's controls from another process) all agree without a shared table.

#include <cstdint>
#include <string>
#include <string_view>

namespace varnok::ui {

// FNV-1a of the name folded into 0x1000..0x7FFF (clear of IDOK/IDCANCEL and
// of the small ids dialogs use).
constexpr int controlId(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return 0x1000 + static_cast<int>(hash % 0x7000u);
}

// The window class of a named window, e.g. "Varnok_frmMain".
inline std::string windowClassName(std::string_view windowName) {
    return "Varnok_" + std::string(windowName);
}

}  // namespace varnok::ui
