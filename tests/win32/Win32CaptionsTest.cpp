// Varnok's four windows as the program builds them: every label, button and
// check box shows its caption on one line, in whatever font the system gives
// (also in a prefix without MS Sans Serif: --captions-without-ms-sans-serif).

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

#include "Win32TestSupport.h"
#include "app/Application.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32ConsoleInput.h"
#include "platform/win32/Win32GameStarter.h"
#include "platform/win32/Win32MediaFactory.h"
#include "platform/win32/Win32VersionSource.h"
#include "platform/win32/Win32Wakeups.h"
#include "platform/win32/Win32WindowManager.h"

namespace {

using namespace varnok;
using win32test::formNamed;
using win32test::textOf;

// The face the system gives for a font asked for by this name.
std::string faceGivenFor(const char* face) {
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char given[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof(given), given);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return given;
}

// The width a control's caption takes in the control's own font, and the width
// the control leaves for it: the client width, less a button's edges, or a
// check box's box, the gap of half a digit and the focus rectangle beside it.
std::pair<int, int> captionAndRoom(HWND control) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    std::string caption = textOf(control);
    SIZE extent{}, digit{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    GetTextExtentPoint32A(dc, "0", 1, &digit);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    RECT client{};
    GetClientRect(control, &client);
    int room = client.right;
    char kind[16] = {};
    GetClassNameA(control, kind, sizeof(kind));
    if (lstrcmpiA(kind, "Button") == 0) {
        LONG_PTR type = GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
        if (type == BS_3STATE || type == BS_CHECKBOX || type == BS_AUTOCHECKBOX)
            room -= MulDiv(13, dpi, 96) + digit.cx / 2 + 1;
        else
            room -= 2 * MulDiv(2, dpi, 96);
    }
    return {extent.cx, room};
}

TEST(Captions, EveryCaptionOfTheFourWindowsFitsItsControl) {
    std::string given = faceGivenFor("MS Sans Serif");
    std::printf("   MS Sans Serif is given as \"%s\"\n", given.c_str());
    if (win32test::withoutMsSansSerif) {
        EXPECT_NE(given, "MS Sans Serif");
    }

    platform::win32::Win32WindowManager windows;
    platform::win32::Win32Clock clock;
    platform::win32::Win32VersionSource version;
    platform::win32::Win32MediaFactory media;
    platform::win32::Win32Wakeups wakeups;
    platform::win32::Win32GameStarter starter;
    platform::win32::Win32ConsoleInput consoleInput;
    ui::Services services{win32test::sharedToolkit(),
                          windows,
                          clock,
                          version,
                          media,
                          wakeups,
                          starter,
                          consoleInput,
                          std::filesystem::temp_directory_path()};
    ui::Application app(services);
    int measured = 0;
    for (const char* name : {"frmMain", "frmPlay", "mnuCustomize", "frmPickFolder"}) {
        HWND form = formNamed(name);
        EXPECT_NE(form, nullptr) << name;
        for (HWND child = GetWindow(form, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            char kind[16] = {};
            GetClassNameA(child, kind, sizeof(kind));
            if ((lstrcmpiA(kind, "Static") != 0 && lstrcmpiA(kind, "Button") != 0) ||
                textOf(child).empty())
                continue;
            auto [width, room] = captionAndRoom(child);
            ++measured;
            EXPECT_LE(width, room) << "\"" << textOf(child) << "\" in " << name;
        }
    }
    EXPECT_GE(measured, 20);
}

}  // namespace
