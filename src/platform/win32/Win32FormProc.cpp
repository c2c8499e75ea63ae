// The window procedure of every form and the behaviour of its controls:
// colours, owner-drawn buttons, check-box cycling, slider notifications and
// the routing of WM_COMMAND to the control or menu item it concerns.

#include "platform/win32/Win32Forms.h"

#include <commctrl.h>

namespace varnok::platform::win32 {

namespace {

FormState* formOf(HWND hwnd) {
    return reinterpret_cast<FormState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// ------------------------------------------------------ control behaviour --

void drawOwnerDrawnButton(const ControlState& button, const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    bool disabled = (item.itemState & ODS_DISABLED) != 0;

    FillRect(dc, &face,
             button.backgroundBrush ? button.backgroundBrush : GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    std::string caption = windowText(item.hwndItem);
    RECT textArea = face;
    InflateRect(&textArea, -2, -2);
    if (pressed) OffsetRect(&textArea, 1, 1);
    HGDIOBJ oldFont = SelectObject(dc, button.font);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF colour = disabled            ? GetSysColor(COLOR_GRAYTEXT)
                      : button.textColour ? *button.textColour
                                          : GetSysColor(COLOR_BTNTEXT);
    COLORREF oldColour = SetTextColor(dc, colour);
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &textArea,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);

    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focusRect = face;
        InflateRect(&focusRect, -4, -4);
        DrawFocusRect(dc, &focusRect);
    }
}

// A user click on a check box: unticked becomes ticked, ticked or greyed
// becomes unticked (as Win32's own three-state box leaves greyed; a click
// never makes a box greyed), then the handler runs with the new state in place.
void checkBoxClicked(ControlState& box) {
    LRESULT state = SendMessageA(box.hwnd, BM_GETCHECK, 0, 0);
    SendMessageA(box.hwnd, BM_SETCHECK, state == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED, 0);
    runHandler(box.onClick);
}

// Trackbar notifications of a user move: a key press gives TB_LINE*/TB_PAGE*
// then TB_ENDTRACK; a click on the channel TB_PAGE* (repeated while held) then
// TB_ENDTRACK; a drag TB_THUMBTRACK for every pixel, then TB_THUMBPOSITION and
// TB_ENDTRACK; the mouse wheel TB_LINE* alone. The handler runs for every
// notification except TB_THUMBTRACK (so a drag seeks once, where it is
// released), and not again for a position it has already been told about
// since the last change from code (so TB_ENDTRACK after a key press or a drag
// adds no second call). TBM_SETPOS from code sends no notification at all.
void sliderScrolled(ControlState& slider, int code) {
    if (code == TB_THUMBTRACK) return;
    int position = static_cast<int>(SendMessageA(slider.hwnd, TBM_GETPOS, 0, 0));
    if (slider.reportedPosition && *slider.reportedPosition == position) return;
    slider.reportedPosition = position;
    runHandler(slider.onUserMove);
}

void controlCommand(ControlState& control, WORD code) {
    switch (control.kind) {
        case ControlKind::Button:
            // Owner-drawn buttons report a quick second click as a double click.
            if (code == BN_CLICKED || code == BN_DOUBLECLICKED) runHandler(control.onClick);
            break;
        case ControlKind::CheckBox:
            if (code == BN_CLICKED) checkBoxClicked(control);
            break;
        case ControlKind::DriveList:
            if (code == CBN_SELCHANGE) runHandler(control.onChange);
            break;
        case ControlKind::FolderList:
            if (code == LBN_DBLCLK) {
                LRESULT row = SendMessageA(control.hwnd, LB_GETCURSEL, 0, 0);
                if (row >= 1 && static_cast<size_t>(row) < control.folderItems.size())
                    setFolder(control, control.folderItems[static_cast<size_t>(row)]);
            }
            break;
        default:
            break;
    }
}

// Colours of a child control. Labels without a background of their own draw on
// the form's background, which is how they look transparent; the brush also
// erases the old caption when the text changes.
std::optional<LRESULT> controlColours(const FormState& form, const ControlState& control,
                                      UINT message, HDC dc) {
    if (control.textColour) SetTextColor(dc, *control.textColour);
    if (control.background) {
        SetBkColor(dc, *control.background);
        return reinterpret_cast<LRESULT>(control.backgroundBrush);
    }
    if (message == WM_CTLCOLORSTATIC && control.kind == ControlKind::Label) {
        SetBkColor(dc, form.background);
        return reinterpret_cast<LRESULT>(form.backgroundBrush);
    }
    if (control.textColour) {
        int system = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ? COLOR_WINDOW
                                                                                 : COLOR_BTNFACE;
        SetBkColor(dc, GetSysColor(system));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(system));
    }
    return std::nullopt;
}

}  // namespace

bool isChildOf(HWND child, HWND parent) {
    return child != nullptr && IsChild(parent, child);
}

LRESULT CALLBACK formProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* state = static_cast<FormState*>(create->lpCreateParams);
        state->hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    }
    FormState* form = formOf(hwnd);
    if (form == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    ToolkitState& toolkit = *form->toolkit;

    switch (message) {
        case WM_COMMAND: {
            if (lParam != 0) {
                if (ControlState* control = toolkit.control(reinterpret_cast<HWND>(lParam)))
                    controlCommand(*control, HIWORD(wParam));
                return 0;
            }
            if (HIWORD(wParam) == 0) {  // a menu item
                auto found = form->menuHandlers.find(LOWORD(wParam));
                if (found != form->menuHandlers.end()) runHandler(found->second);
            }
            return 0;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (lParam != 0) {
                ControlState* control = toolkit.control(reinterpret_cast<HWND>(lParam));
                if (control != nullptr && control->kind == ControlKind::Slider)
                    sliderScrolled(*control, LOWORD(wParam));
            }
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            if (ControlState* control = toolkit.control(reinterpret_cast<HWND>(lParam))) {
                if (auto brush =
                        controlColours(*form, *control, message, reinterpret_cast<HDC>(wParam)))
                    return *brush;
            }
            break;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            ControlState* control = toolkit.control(item->hwndItem);
            if (control != nullptr && control->ownerDrawn) {
                drawOwnerDrawnButton(*control, *item);
                return TRUE;
            }
            break;
        }
        case WM_TIMER: {
            auto found = toolkit.timers.find(wParam);
            if (found != toolkit.timers.end() && found->second->enabled)
                runHandler(found->second->onTick);
            return 0;
        }
        case WM_HOTKEY:
            mediaKeyHotKey(toolkit, static_cast<int>(wParam));
            return 0;
        case WM_CLOSE:
            // The form decides what closing means; the window is never destroyed here.
            runHandler(form->onClose);
            return 0;
        case WM_ACTIVATE:
            // Keep the keyboard focus on the control that had it when the
            // window lost activation, as a dialog does.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (isChildOf(focus, hwnd)) form->lastFocus = focus;
                return 0;
            } else {
                HWND target = form->lastFocus;
                if (!isChildOf(target, hwnd) || !IsWindowVisible(target) ||
                    !IsWindowEnabled(target))
                    target = GetNextDlgTabItem(hwnd, nullptr, FALSE);
                if (target != nullptr && HIWORD(wParam) == 0) {
                    SetFocus(target);
                    return 0;
                }
            }
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace varnok::platform::win32
