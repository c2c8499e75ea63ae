// Captions that stay whole whatever font the system gives. The layouts were
// measured with MS Sans Serif; where a system lacks it (a plain Wine prefix),
// the substitute is wider and a caption would wrap or be cut. Such a control,
// and only such a control, gets its font in steps of one pixel smaller until
// the caption fits, but never below 7 points.

#include <windows.h>

#include <cmath>

#include "platform/win32/Win32Forms.h"

namespace varnok::platform::win32 {

namespace {

constexpr float kSmallestPoints = 7.0f;

SIZE extentIn(HDC dc, HFONT font, const std::string& text) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    return extent;
}

// The width the caption may take in `font`: the client width less what the
// control draws beside its text.
int roomFor(const ControlState& control, HDC dc, HFONT font, int dpi) {
    RECT client{};
    GetClientRect(control.hwnd, &client);
    const int width = client.right - client.left;
    switch (control.kind) {
        case ControlKind::Button:
            // A 2-pixel edge on each side, and the text shifts by one while pressed.
            return width - 2 * MulDiv(3, dpi, 96);
        case ControlKind::CheckBox:
            // The box, then a gap of half a digit before the text and the focus
            // rectangle around it: a whole digit covers both.
            return width - (MulDiv(12, dpi, 96) + 1) - extentIn(dc, font, "0").cx;
        default:
            return width;
    }
}

}  // namespace

void fitCaption(ToolkitState& toolkit, ControlState& control, const std::string& caption,
                ui::Font font) {
    if (caption.empty()) return;
    HDC dc = GetDC(control.hwnd);
    if (dc == nullptr) return;
    const int smallest =
        static_cast<int>(std::ceil(kSmallestPoints * static_cast<float>(toolkit.dpi) / 72.0f));
    int height =
        static_cast<int>(std::lround(font.points * static_cast<float>(toolkit.dpi) / 72.0f));
    HFONT fitted = control.font;
    while (extentIn(dc, fitted, caption).cx > roomFor(control, dc, fitted, toolkit.dpi) &&
           height > smallest) {
        --height;
        font.points = static_cast<float>(height) * 72.0f / static_cast<float>(toolkit.dpi);
        fitted = toolkit.font(font);
    }
    ReleaseDC(control.hwnd, dc);
    if (fitted == control.font) return;
    control.font = fitted;
    SendMessageA(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fitted), FALSE);
}

}  // namespace varnok::platform::win32
