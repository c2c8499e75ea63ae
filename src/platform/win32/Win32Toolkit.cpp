#include "platform/win32/Win32Toolkit.h"

#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

#include "platform/win32/Win32Forms.h"
#include "ui/ControlIds.h"

namespace varnok::platform::win32 {

// ---------------------------------------------------------------- helpers --

COLORREF toColorref(const ui::Rgb& rgb) {
    return RGB(rgb.r, rgb.g, rgb.b);
}

std::string windowText(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::clamp(copied, 0, length)));
    return text;
}

void runHandler(const ui::Handler& handler) {
    if (!handler) return;
    // Copied first: the handler may replace itself while it runs.
    ui::Handler call = handler;
    try {
        call();
    } catch (...) {
        // A handler's failure ends that handler only (see DESIGN: failures are
        // contained); unwinding through the window procedure would be undefined.
    }
}

int Win32Toolkit::Impl::pixels(int twips) const {
    return ui::twipsToPixels(twips, dpi);
}

HBRUSH Win32Toolkit::Impl::brush(COLORREF colour) {
    auto found = brushes.find(colour);
    if (found != brushes.end()) return found->second;
    HBRUSH made = CreateSolidBrush(colour);
    brushes.emplace(colour, made);
    return made;
}

HFONT Win32Toolkit::Impl::font(const ui::Font& spec) {
    // Point sizes such as 9.75 and 13.5 are kept to the hundredth in the key.
    auto key =
        std::make_tuple(spec.face, static_cast<int>(std::lround(spec.points * 100.0f)), spec.bold);
    auto found = fonts.find(key);
    if (found != fonts.end()) return found->second;
    int height = -static_cast<int>(std::lround(spec.points * static_cast<float>(dpi) / 72.0f));
    HFONT made = CreateFontA(height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, spec.face.c_str());
    if (made == nullptr) made = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts.emplace(key, made);
    return made;
}

ControlState* Win32Toolkit::Impl::control(HWND hwnd) const {
    auto found = controlsByHwnd.find(hwnd);
    return found == controlsByHwnd.end() ? nullptr : found->second;
}

namespace {

FormState* formOf(HWND hwnd) {
    return reinterpret_cast<FormState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

bool hasStyle(HWND hwnd, LONG_PTR style) {
    return (GetWindowLongPtrA(hwnd, GWL_STYLE) & style) != 0;
}

void setVisibleFlag(HWND hwnd, bool visible) {
    ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
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

// A user click on a check box: ticked becomes unticked, unticked or greyed
// becomes ticked (never greyed, as with an ordinary check box), then the
// handler runs with the new state in place.
void checkBoxClicked(ControlState& box) {
    LRESULT state = SendMessageA(box.hwnd, BM_GETCHECK, 0, 0);
    SendMessageA(box.hwnd, BM_SETCHECK, state == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
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
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((base + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) continue;
            if ((found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0)
                continue;
            if (name == "." || name == "..") continue;
            names.push_back(name);
        } while (FindNextFileA(search, &found));
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
    char full[MAX_PATH * 4] = {};
    DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    if (length == 0 || length >= sizeof(full)) return std::nullopt;
    std::string folder(full, length);
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return std::nullopt;
    return folder;
}

void setFolder(ControlState& list, const std::string& path) {
    auto folder = resolveFolder(path);
    if (!folder) return;
    list.folder = *folder;
    fillFolderList(list);
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
    Win32Toolkit::Impl& toolkit = *form->toolkit;

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

// ---------------------------------------------------------------- views ---

template <class Interface>
class ControlView : public Interface {
  public:
    explicit ControlView(ControlState& state) : state_(state) {}
    void setVisible(bool visible) override { setVisibleFlag(state_.hwnd, visible); }
    // The control's own flag, whatever its form's visibility.
    bool visible() const override { return hasStyle(state_.hwnd, WS_VISIBLE); }
    void setEnabled(bool enabled) override { EnableWindow(state_.hwnd, enabled ? TRUE : FALSE); }
    bool enabled() const override { return IsWindowEnabled(state_.hwnd) != FALSE; }

  protected:
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(state_.hwnd, message, wParam, lParam);
    }
    ControlState& state_;
};

class Win32Label : public ControlView<ui::Label> {
  public:
    using ControlView::ControlView;
    void setCaption(const std::string& caption) override {
        SetWindowTextA(state_.hwnd, caption.c_str());
    }
    std::string caption() const override { return windowText(state_.hwnd); }
};

class Win32TextField : public ControlView<ui::TextField> {
  public:
    using ControlView::ControlView;
    void setText(const std::string& text) override { SetWindowTextA(state_.hwnd, text.c_str()); }
    std::string text() const override { return windowText(state_.hwnd); }
};

class Win32Button : public ControlView<ui::Button> {
  public:
    using ControlView::ControlView;
    void onClick(ui::Handler handler) override { state_.onClick = std::move(handler); }
};

class Win32CheckBox : public ControlView<ui::CheckBox> {
  public:
    using ControlView::ControlView;
    void setValue(int value) override {
        WPARAM check = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
        send(BM_SETCHECK, check);
    }
    int value() const override {
        LRESULT check = send(BM_GETCHECK);
        return check == BST_CHECKED ? 1 : check == BST_INDETERMINATE ? 2 : 0;
    }
    void onClick(ui::Handler handler) override { state_.onClick = std::move(handler); }
};

class Win32ListBox : public ControlView<ui::ListBox> {
  public:
    using ControlView::ControlView;
    int count() const override { return static_cast<int>(send(LB_GETCOUNT)); }
    std::string item(int index) const override {
        LRESULT length = send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
        if (index < 0 || length == LB_ERR) return {};
        std::string text(static_cast<size_t>(length) + 1, '\0');
        LRESULT copied =
            send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
        return text;
    }
    void addItem(const std::string& text) override {
        send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void removeItem(int index) override {
        if (index >= 0) send(LB_DELETESTRING, static_cast<WPARAM>(index));
    }
    void clear() override { send(LB_RESETCONTENT); }
    int listIndex() const override {
        LRESULT selected = send(LB_GETCURSEL);
        return selected == LB_ERR ? -1 : static_cast<int>(selected);
    }
    void setListIndex(int index) override {
        send(LB_SETCURSEL,
             index >= 0 && index < count() ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1));
    }
};

// Tick marks every `frequency` positions, thinned out on long ranges so that
// they never run together.
void updateTicks(HWND slider) {
    LRESULT minimum = SendMessageA(slider, TBM_GETRANGEMIN, 0, 0);
    LRESULT maximum = SendMessageA(slider, TBM_GETRANGEMAX, 0, 0);
    LRESULT range = maximum > minimum ? maximum - minimum : 1;
    LRESULT frequency = range <= 40 ? 1 : (range + 19) / 20;
    SendMessageA(slider, TBM_SETTICFREQ, static_cast<WPARAM>(frequency), 0);
}

class Win32Slider : public ControlView<ui::Slider> {
  public:
    using ControlView::ControlView;
    int value() const override { return static_cast<int>(send(TBM_GETPOS)); }
    bool setValue(int value) override {
        if (value < min() || value > max()) return false;
        send(TBM_SETPOS, TRUE, value);
        state_.reportedPosition.reset();
        return true;
    }
    int min() const override { return static_cast<int>(send(TBM_GETRANGEMIN)); }
    int max() const override { return static_cast<int>(send(TBM_GETRANGEMAX)); }
    void setMax(int maximum) override {
        // The trackbar pulls a position beyond the new maximum back to it.
        send(TBM_SETRANGEMAX, TRUE, maximum);
        updateTicks(state_.hwnd);
        state_.reportedPosition.reset();
    }
    void onUserMove(ui::Handler handler) override { state_.onUserMove = std::move(handler); }
};

class Win32DriveList : public ControlView<ui::DriveList> {
  public:
    using ControlView::ControlView;
    int count() const override { return static_cast<int>(state_.drives.size()); }
    std::string drive(int index) const override {
        if (index < 0 || index >= count()) return {};
        return state_.drives[static_cast<size_t>(index)];
    }
    int listIndex() const override {
        LRESULT selected = send(CB_GETCURSEL);
        return selected == CB_ERR ? -1 : static_cast<int>(selected);
    }
    void onChange(ui::Handler handler) override { state_.onChange = std::move(handler); }
};

class Win32FolderList : public ControlView<ui::FolderList> {
  public:
    using ControlView::ControlView;
    std::string path() const override { return state_.folder; }
    void setPath(const std::string& path) override { setFolder(state_, path); }
};

class Win32Timer : public ui::Timer {
  public:
    explicit Win32Timer(TimerState& state) : state_(state) {}
    void setEnabled(bool enabled) override {
        if (enabled == state_.enabled) return;
        state_.enabled = enabled;
        if (enabled)
            SetTimer(state_.owner, state_.id, state_.interval, nullptr);
        else
            KillTimer(state_.owner, state_.id);
    }
    bool enabled() const override { return state_.enabled; }
    unsigned interval() const override { return state_.interval; }

  private:
    TimerState& state_;
};

class Win32Window : public ui::Window {
  public:
    explicit Win32Window(FormState& state) : state_(state) {}
    void show() override { ShowWindow(state_.hwnd, SW_SHOW); }
    void hide() override { ShowWindow(state_.hwnd, SW_HIDE); }
    bool visible() const override { return hasStyle(state_.hwnd, WS_VISIBLE); }
    ui::Frame frame() const override {
        RECT outer{};
        GetWindowRect(state_.hwnd, &outer);
        return {outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top};
    }
    void moveTo(int left, int top) override {
        ui::Frame now = frame();
        if (now.left == left && now.top == top) return;  // the loop docks on every turn
        SetWindowPos(state_.hwnd, nullptr, left, top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void setOuterWidth(int width) override {
        ui::Frame now = frame();
        if (now.width == width) return;
        SetWindowPos(state_.hwnd, nullptr, 0, 0, width, now.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void setState(ui::WindowState windowState) override {
        int command = windowState == ui::WindowState::Maximized   ? SW_SHOWMAXIMIZED
                      : windowState == ui::WindowState::Minimized ? SW_MINIMIZE
                                                                  : SW_RESTORE;
        ShowWindow(state_.hwnd, command);
    }
    ui::WindowState state() const override {
        if (IsIconic(state_.hwnd)) return ui::WindowState::Minimized;
        if (IsZoomed(state_.hwnd)) return ui::WindowState::Maximized;
        return ui::WindowState::Normal;
    }
    void focus() override {
        SetForegroundWindow(state_.hwnd);
        HWND target = state_.lastFocus;
        if (!isChildOf(target, state_.hwnd) || !IsWindowVisible(target))
            target = GetNextDlgTabItem(state_.hwnd, nullptr, FALSE);
        SetFocus(target != nullptr ? target : state_.hwnd);
    }
    void onClose(ui::Handler handler) override { state_.onClose = std::move(handler); }

    FormState& state() { return state_; }

  private:
    FormState& state_;
};

FormState& formStateOf(ui::Window& window) {
    auto* native = dynamic_cast<Win32Window*>(&window);
    if (native == nullptr) throw std::logic_error("a Win32 control needs a Win32 window");
    return native->state();
}

// ------------------------------------------------------ control creation --

struct NativeControl {
    const char* windowClass;
    DWORD style;
    DWORD exStyle;
    bool withCaption;
    int extraHeight;  // pixels beyond the given height (a combo box's drop-down)
};

bool focusable(ControlKind kind) {
    return kind != ControlKind::Label;
}

// Places a new tab stop in the z-order after every tab stop of a lower or
// equal tab index, which is the order Tab walks in.
void placeInTabOrder(FormState& form, HWND control, int tabIndex) {
    auto position = std::upper_bound(
        form.tabOrder.begin(), form.tabOrder.end(), tabIndex,
        [](int index, const std::pair<int, HWND>& entry) { return index < entry.first; });
    HWND insertAfter = nullptr;
    if (position != form.tabOrder.begin()) {
        insertAfter = std::prev(position)->second;
    } else if (position != form.tabOrder.end()) {
        insertAfter = GetWindow(position->second, GW_HWNDPREV);
        if (insertAfter == nullptr) insertAfter = HWND_TOP;
    }
    if (insertAfter != nullptr)
        SetWindowPos(control, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    form.tabOrder.insert(position, {tabIndex, control});
}

void addTooltip(Win32Toolkit::Impl& toolkit, FormState& form, HWND control,
                const std::string& text) {
    if (form.tooltip == nullptr) {
        form.tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                       WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form.hwnd,
                                       nullptr, toolkit.instance, nullptr);
        if (form.tooltip == nullptr) return;
        SendMessageA(form.tooltip, TTM_SETMAXTIPWIDTH, 0, toolkit.pixels(5760));  // 4 inches
    }
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form.hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text.c_str());  // copied by the tooltip
    SendMessageA(form.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

ControlState& makeControl(Win32Toolkit::Impl& toolkit, ui::Window& parent,
                          const ui::ControlSpec& spec, ControlKind kind,
                          const NativeControl& native) {
    FormState& form = formStateOf(parent);
    auto state = std::make_unique<ControlState>();
    state->kind = kind;
    state->form = &form;
    if (spec.textColour) state->textColour = toColorref(*spec.textColour);
    if (spec.background) {
        state->background = toColorref(*spec.background);
        state->backgroundBrush = toolkit.brush(*state->background);
    }
    state->font = spec.font ? toolkit.font(*spec.font) : toolkit.defaultFont;

    bool tabStop = spec.tabIndex >= 0 && focusable(kind);
    DWORD style = native.style | WS_CHILD | WS_VISIBLE | (tabStop ? WS_TABSTOP : 0);
    if (kind == ControlKind::Label && !spec.tooltip.empty()) style |= SS_NOTIFY;
    HWND hwnd = CreateWindowExA(
        native.exStyle, native.windowClass, native.withCaption ? spec.caption.c_str() : "", style,
        toolkit.pixels(spec.rect.left), toolkit.pixels(spec.rect.top),
        toolkit.pixels(spec.rect.width), toolkit.pixels(spec.rect.height) + native.extraHeight,
        form.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ui::controlId(spec.name))),
        toolkit.instance, nullptr);
    if (hwnd == nullptr) throw std::runtime_error("cannot create the control " + spec.name);
    state->hwnd = hwnd;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
    if (tabStop) placeInTabOrder(form, hwnd, spec.tabIndex);
    if (!spec.tooltip.empty()) addTooltip(toolkit, form, hwnd, spec.tooltip);

    ControlState& made = *state;
    toolkit.controlsByHwnd.emplace(hwnd, state.get());
    toolkit.controls.push_back(std::move(state));
    return made;
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
    char buffer[MAX_PATH * 4] = {};
    DWORD length = GetCurrentDirectoryA(sizeof(buffer), buffer);
    if (length == 0 || length >= sizeof(buffer)) return "c:\\";
    return std::string(buffer, length);
}

std::string menuCaption(const std::string& caption) {
    // '&' would mark an access key; the captions are shown exactly as given.
    std::string escaped;
    for (char c : caption) {
        escaped += c;
        if (c == '&') escaped += '&';
    }
    return escaped;
}

}  // namespace

HWND formHandle(ui::Window& window) {
    return formStateOf(window).hwnd;
}

// --------------------------------------------------------------- toolkit ---

Win32Toolkit::Win32Toolkit() : impl_(std::make_unique<Impl>()) {
    impl_->instance = GetModuleHandleA(nullptr);
    HDC screenDc = GetDC(nullptr);
    impl_->dpi = screenDc ? GetDeviceCaps(screenDc, LOGPIXELSX) : 96;
    if (screenDc) ReleaseDC(nullptr, screenDc);
    if (impl_->dpi <= 0) impl_->dpi = 96;
    // The layouts in twips were measured with MS Sans Serif 8.25 pt as the
    // controls' font; the wider message font of later systems would cut
    // captions such as "Show Playlist on bottom".
    impl_->defaultFont = impl_->font(ui::Font{"MS Sans Serif", 8.25f, false});
    impl_->dialogs = makeDialogs(*impl_);
}

Win32Toolkit::~Win32Toolkit() {
    for (auto& timer : impl_->timers)
        if (timer.second->enabled) KillTimer(timer.second->owner, timer.second->id);
    for (auto& form : impl_->forms)
        if (IsWindow(form->hwnd)) DestroyWindow(form->hwnd);
    for (auto& font : impl_->fonts) DeleteObject(font.second);
    for (auto& brush : impl_->brushes) DeleteObject(brush.second);
}

int Win32Toolkit::dpi() const {
    return impl_->dpi;
}

std::unique_ptr<ui::Window> Win32Toolkit::createWindow(const ui::WindowSpec& spec) {
    Impl& toolkit = *impl_;
    auto state = std::make_unique<FormState>();
    state->toolkit = &toolkit;
    state->background = spec.background ? toColorref(*spec.background) : GetSysColor(COLOR_BTNFACE);
    state->backgroundBrush =
        spec.background ? toolkit.brush(state->background) : GetSysColorBrush(COLOR_BTNFACE);

    std::string className = ui::windowClassName(spec.name);
    if (toolkit.registeredClasses.insert(className).second) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = formProc;
        windowClass.hInstance = toolkit.instance;
        windowClass.hIcon = LoadIconA(toolkit.instance, MAKEINTRESOURCEA(1));
        if (windowClass.hIcon == nullptr) windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = state->backgroundBrush;
        windowClass.lpszClassName = className.c_str();
        if (RegisterClassExA(&windowClass) == 0)
            throw std::runtime_error("cannot register the window class " + className);
    }

    if (spec.border == ui::Border::None) {
        state->style = WS_POPUP | WS_CLIPCHILDREN;
        state->exStyle = WS_EX_TOOLWINDOW;  // it hangs on the main window, not in the taskbar
    } else if (!spec.hasTitle) {
        state->style = WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN;
        state->exStyle = WS_EX_DLGMODALFRAME;
    } else {
        state->style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
        state->exStyle = 0;
    }
    state->clientWidth = toolkit.pixels(spec.clientWidth);
    state->clientHeight = toolkit.pixels(spec.clientHeight);
    RECT outer{0, 0, state->clientWidth, state->clientHeight};
    AdjustWindowRectEx(&outer, state->style, FALSE, state->exStyle);

    bool overlapped = (state->style & WS_POPUP) == 0;
    HWND hwnd = CreateWindowExA(
        state->exStyle, className.c_str(), spec.caption.c_str(), state->style,
        overlapped ? CW_USEDEFAULT : 0, overlapped ? CW_USEDEFAULT : 0, outer.right - outer.left,
        outer.bottom - outer.top, nullptr, nullptr, toolkit.instance, state.get());
    if (hwnd == nullptr) throw std::runtime_error("cannot create the window " + spec.name);

    auto view = std::make_unique<Win32Window>(*state);
    toolkit.formsByHwnd.emplace(hwnd, state.get());
    toolkit.forms.push_back(std::move(state));
    return view;
}

std::unique_ptr<ui::Label> Win32Toolkit::createLabel(ui::Window& parent,
                                                     const ui::ControlSpec& spec) {
    DWORD align = spec.align == ui::Align::Centre  ? SS_CENTER
                  : spec.align == ui::Align::Right ? SS_RIGHT
                                                   : SS_LEFT;
    ControlState& state = makeControl(*impl_, parent, spec, ControlKind::Label,
                                      {"STATIC", align | SS_NOPREFIX, 0, true, 0});
    return std::make_unique<Win32Label>(state);
}

std::unique_ptr<ui::TextField> Win32Toolkit::createTextField(ui::Window& parent,
                                                             const ui::ControlSpec& spec) {
    ControlState& state =
        makeControl(*impl_, parent, spec, ControlKind::TextField,
                    {"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true, 0});
    SendMessageA(state.hwnd, EM_SETLIMITTEXT, 0, 0);  // no length limit
    return std::make_unique<Win32TextField>(state);
}

std::unique_ptr<ui::Button> Win32Toolkit::createButton(ui::Window& parent,
                                                       const ui::ControlSpec& spec) {
    // A themed push button ignores colours, so a coloured one draws itself.
    bool coloured = spec.background.has_value() || spec.textColour.has_value();
    ControlState& state = makeControl(
        *impl_, parent, spec, ControlKind::Button,
        {"BUTTON", static_cast<DWORD>(coloured ? BS_OWNERDRAW : BS_PUSHBUTTON), 0, true, 0});
    state.ownerDrawn = coloured;
    return std::make_unique<Win32Button>(state);
}

std::unique_ptr<ui::CheckBox> Win32Toolkit::createCheckBox(ui::Window& parent,
                                                           const ui::ControlSpec& spec) {
    // BS_3STATE (not the automatic kind): the click handling above decides the
    // new state, and states 0, 1 and 2 can all be set from code.
    ControlState& state =
        makeControl(*impl_, parent, spec, ControlKind::CheckBox, {"BUTTON", BS_3STATE, 0, true, 0});
    // A themed check box draws its caption in the theme's colours; without a
    // theme it takes the colours of WM_CTLCOLORSTATIC.
    if (spec.background || spec.textColour) SetWindowTheme(state.hwnd, L"", L"");
    return std::make_unique<Win32CheckBox>(state);
}

std::unique_ptr<ui::ListBox> Win32Toolkit::createListBox(ui::Window& parent,
                                                         const ui::ControlSpec& spec) {
    ControlState& state = makeControl(
        *impl_, parent, spec, ControlKind::ListBox,
        {"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE, false, 0});
    return std::make_unique<Win32ListBox>(state);
}

std::unique_ptr<ui::Slider> Win32Toolkit::createSlider(ui::Window& parent,
                                                       const ui::SliderSpec& spec) {
    DWORD orientation = spec.orientation == ui::Orientation::Vertical ? TBS_VERT : TBS_HORZ;
    ControlState& state = makeControl(*impl_, parent, spec.control, ControlKind::Slider,
                                      {TRACKBAR_CLASSA, orientation | TBS_AUTOTICKS, 0, false, 0});
    HWND hwnd = state.hwnd;
    SendMessageA(hwnd, TBM_SETRANGEMIN, FALSE, spec.min);
    SendMessageA(hwnd, TBM_SETRANGEMAX, FALSE, spec.max);
    SendMessageA(hwnd, TBM_SETPAGESIZE, 0, spec.largeStep);
    SendMessageA(hwnd, TBM_SETLINESIZE, 0, spec.smallStep);
    SendMessageA(hwnd, TBM_SETPOS, TRUE, spec.min);
    updateTicks(hwnd);
    return std::make_unique<Win32Slider>(state);
}

std::unique_ptr<ui::DriveList> Win32Toolkit::createDriveList(ui::Window& parent,
                                                             const ui::ControlSpec& spec) {
    ControlState& state =
        makeControl(*impl_, parent, spec, ControlKind::DriveList,
                    {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0, false, impl_->pixels(2880)});
    state.drives = logicalDrives();
    std::string current = currentFolder().substr(0, 2);
    current[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(current[0])));
    int selected = 0;
    for (size_t i = 0; i < state.drives.size(); ++i) {
        SendMessageA(state.hwnd, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(state.drives[i].c_str()));
        if (state.drives[i] == current) selected = static_cast<int>(i);
    }
    SendMessageA(state.hwnd, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    return std::make_unique<Win32DriveList>(state);
}

std::unique_ptr<ui::FolderList> Win32Toolkit::createFolderList(ui::Window& parent,
                                                               const ui::ControlSpec& spec) {
    // Listed with FindFirstFileA rather than DlgDirListA, which would change
    // the process's current folder as a side effect.
    ControlState& state = makeControl(
        *impl_, parent, spec, ControlKind::FolderList,
        {"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE, false, 0});
    setFolder(state, currentFolder());
    return std::make_unique<Win32FolderList>(state);
}

std::unique_ptr<ui::Timer> Win32Toolkit::createTimer(ui::Window& owner, unsigned intervalMs,
                                                     bool enabled, ui::Handler onTick) {
    auto state = std::make_unique<TimerState>();
    state->owner = formStateOf(owner).hwnd;
    state->id = impl_->nextTimerId++;
    state->interval = intervalMs;
    state->onTick = std::move(onTick);
    auto view = std::make_unique<Win32Timer>(*state);
    impl_->timers.emplace(state->id, std::move(state));
    view->setEnabled(enabled);
    return view;
}

void Win32Toolkit::createMenuBar(ui::Window& window, const std::vector<ui::MenuSpec>& menus) {
    FormState& form = formStateOf(window);
    HMENU bar = CreateMenu();
    for (const ui::MenuSpec& menu : menus) {
        HMENU popup = CreatePopupMenu();
        for (const ui::MenuItemSpec& item : menu.items) {
            // Items that share a name (an indexed group) get the next free ids.
            UINT id = static_cast<UINT>(ui::controlId(item.name));
            while (form.menuHandlers.count(id) != 0) ++id;
            form.menuHandlers.emplace(id, item.handler);
            AppendMenuA(popup, MF_STRING, id, menuCaption(item.caption).c_str());
        }
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                    menuCaption(menu.caption).c_str());
    }
    SetMenu(form.hwnd, bar);

    // Keep the client area at its given size now that the bar takes its share,
    // also when the bar wraps onto a second line.
    RECT outer{0, 0, form.clientWidth, form.clientHeight};
    AdjustWindowRectEx(&outer, form.style, TRUE, form.exStyle);
    SetWindowPos(form.hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(form.hwnd, &client);
    int missing = form.clientHeight - (client.bottom - client.top);
    if (missing > 0) {
        RECT now{};
        GetWindowRect(form.hwnd, &now);
        SetWindowPos(form.hwnd, nullptr, 0, 0, now.right - now.left, now.bottom - now.top + missing,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

ui::Dialogs& Win32Toolkit::dialogs() {
    return *impl_->dialogs;
}

ui::ScreenSize Win32Toolkit::screen() const {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void Win32Toolkit::yield() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) endProgram();
        // Tab, Shift+Tab and the arrow keys move between the controls of a form.
        HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (root != nullptr && impl_->formsByHwnd.count(root) != 0 &&
            IsDialogMessageA(root, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void Win32Toolkit::idle(unsigned maxMs) {
    // MWMO_INPUTAVAILABLE: wake also for input that is queued but was already seen.
    MsgWaitForMultipleObjectsEx(0, nullptr, maxMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void Win32Toolkit::endProgram() {
    ended_ = true;
    ExitProcess(0);
}

}  // namespace varnok::platform::win32
