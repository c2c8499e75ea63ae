#include "platform/win32/Win32Toolkit.h"

#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "platform/win32/Win32Forms.h"
#include "ports/ControlIds.h"
#include "ports/Failures.h"

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
    // A handler's failure ends that handler only (see docs/ARCHITECTURE.md:
    // failures are contained); unwinding through the window procedure would
    // be undefined.
    engine::runContained("a window handler", call);
}

int ToolkitState::pixels(int twips) const {
    return ui::twipsToPixels(twips, dpi);
}

HBRUSH ToolkitState::brush(COLORREF colour) {
    auto found = brushes.find(colour);
    if (found != brushes.end()) return found->second;
    HBRUSH made = CreateSolidBrush(colour);
    brushes.emplace(colour, made);
    return made;
}

HFONT ToolkitState::font(const ui::Font& spec) {
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

ControlState* ToolkitState::control(HWND hwnd) const {
    auto found = controlsByHwnd.find(hwnd);
    return found == controlsByHwnd.end() ? nullptr : found->second;
}

namespace {

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

void addTooltip(ToolkitState& toolkit, FormState& form, HWND control, const std::string& text) {
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

ControlState& makeControl(ToolkitState& toolkit, ui::Window& parent, const ui::ControlSpec& spec,
                          ControlKind kind, const NativeControl& native) {
    FormState& form = formStateOf(parent);
    auto state = std::make_unique<ControlState>();
    state->kind = kind;
    state->form = &form;
    if (spec.textColour) state->textColour = toColorref(*spec.textColour);
    if (spec.background) {
        state->background = toColorref(*spec.background);
        state->backgroundBrush = toolkit.brush(*state->background);
    }
    const ui::Font font = spec.font.value_or(toolkit.defaultFont);
    state->font = toolkit.font(font);

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
    if (native.withCaption && kind != ControlKind::TextField)
        fitCaption(toolkit, *state, spec.caption, font);
    if (tabStop) placeInTabOrder(form, hwnd, spec.tabIndex);
    if (!spec.tooltip.empty()) addTooltip(toolkit, form, hwnd, spec.tooltip);

    ControlState& made = *state;
    toolkit.controlsByHwnd.emplace(hwnd, state.get());
    toolkit.controls.push_back(std::move(state));
    return made;
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

// --------------------------------------------------------------- toolkit ---

Win32Toolkit::Win32Toolkit() : impl_(std::make_unique<ToolkitState>()) {
    impl_->instance = GetModuleHandleA(nullptr);
    HDC screenDc = GetDC(nullptr);
    impl_->dpi = screenDc ? GetDeviceCaps(screenDc, LOGPIXELSX) : 96;
    if (screenDc) ReleaseDC(nullptr, screenDc);
    if (impl_->dpi <= 0) impl_->dpi = 96;
    // The layouts in twips were measured with MS Sans Serif 8.25 pt as the
    // controls' font; the wider message font of later systems would cut
    // captions such as "Show Playlist on bottom".
    impl_->defaultFont = ui::Font{"MS Sans Serif", 8.25f, false};
    impl_->dialogs = makeDialogs(*impl_);
}

Win32Toolkit::~Win32Toolkit() {
    releaseMediaKeys();
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
    ToolkitState& toolkit = *impl_;
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

    auto view = makeWindowView(*state);
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
    return makeLabelView(state);
}

std::unique_ptr<ui::TextField> Win32Toolkit::createTextField(ui::Window& parent,
                                                             const ui::ControlSpec& spec) {
    ControlState& state =
        makeControl(*impl_, parent, spec, ControlKind::TextField,
                    {"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true, 0});
    SendMessageA(state.hwnd, EM_SETLIMITTEXT, 0, 0);  // no length limit
    return makeTextFieldView(state);
}

std::unique_ptr<ui::Button> Win32Toolkit::createButton(ui::Window& parent,
                                                       const ui::ControlSpec& spec) {
    // A themed push button ignores colours, so a coloured one draws itself.
    bool coloured = spec.background.has_value() || spec.textColour.has_value();
    ControlState& state = makeControl(
        *impl_, parent, spec, ControlKind::Button,
        {"BUTTON", static_cast<DWORD>(coloured ? BS_OWNERDRAW : BS_PUSHBUTTON), 0, true, 0});
    state.ownerDrawn = coloured;
    return makeButtonView(state);
}

std::unique_ptr<ui::CheckBox> Win32Toolkit::createCheckBox(ui::Window& parent,
                                                           const ui::ControlSpec& spec) {
    // BS_3STATE (not the automatic kind): the click handling of the window
    // procedure decides the new state, and states 0, 1 and 2 can all be set
    // from code.
    ControlState& state =
        makeControl(*impl_, parent, spec, ControlKind::CheckBox, {"BUTTON", BS_3STATE, 0, true, 0});
    // A themed check box draws its caption in the theme's colours; without a
    // theme it takes the colours of WM_CTLCOLORSTATIC.
    if (spec.background || spec.textColour) SetWindowTheme(state.hwnd, L"", L"");
    return makeCheckBoxView(state);
}

std::unique_ptr<ui::ListBox> Win32Toolkit::createListBox(ui::Window& parent,
                                                         const ui::ControlSpec& spec) {
    ControlState& state = makeControl(
        *impl_, parent, spec, ControlKind::ListBox,
        {"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE, false, 0});
    return makeListBoxView(state);
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
    return makeSliderView(state);
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
    return makeDriveListView(state);
}

std::unique_ptr<ui::FolderList> Win32Toolkit::createFolderList(ui::Window& parent,
                                                               const ui::ControlSpec& spec) {
    // Listed with FindFirstFileW rather than DlgDirListA, which would change
    // the process's current folder as a side effect.
    ControlState& state = makeControl(
        *impl_, parent, spec, ControlKind::FolderList,
        {"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE, false, 0});
    setFolder(state, currentFolder());
    return makeFolderListView(state);
}

std::unique_ptr<ui::Timer> Win32Toolkit::createTimer(ui::Window& owner, unsigned intervalMs,
                                                     bool enabled, ui::Handler onTick) {
    auto state = std::make_unique<TimerState>();
    state->owner = formStateOf(owner).hwnd;
    state->id = impl_->nextTimerId++;
    state->interval = intervalMs;
    state->onTick = std::move(onTick);
    auto view = makeTimerView(*state);
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
            form.menuIds.emplace(item.name, id);
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

void Win32Toolkit::setMenuChecked(ui::Window& window, const std::string& item, bool checked) {
    FormState& form = formStateOf(window);
    auto found = form.menuIds.find(item);
    if (found == form.menuIds.end()) return;
    CheckMenuItem(GetMenu(form.hwnd), found->second,
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

ui::Dialogs& Win32Toolkit::dialogs() {
    return *impl_->dialogs;
}

ui::Frame Win32Toolkit::workArea() const {
    RECT area{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

void Win32Toolkit::yield() {
    // Right after a wait that ended with no input arriving the queue is
    // empty: looking again would only cost a request to the window system
    // (and under Wine a look at the X events) on every idle turn.
    const bool justWaitedInVain = waitedInVainAt_ != 0 && GetTickCount64() - waitedInVainAt_ <= 1;
    waitedInVainAt_ = 0;
    if (justWaitedInVain) return;
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
    idleWaits_.count(Win32TurnCounter::Waits);
    static const std::vector<HANDLE> none;
    const std::vector<HANDLE>& handles = wakeups_ ? wakeups_->handles() : none;
    const DWORD count = static_cast<DWORD>(std::min<std::size_t>(handles.size(), 63));
    // MWMO_INPUTAVAILABLE: wake also for input that is queued but was already seen.
    const DWORD woken = MsgWaitForMultipleObjectsEx(count, count ? handles.data() : nullptr, maxMs,
                                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (idleWaits_.counting()) countWake(woken, count, handles);
    if (woken < WAIT_OBJECT_0 + count) wakeups_->signalled(handles[woken - WAIT_OBJECT_0]);
    // A wait that ran out, or that a handle ended, saw no input arrive.
    waitedInVainAt_ = woken == WAIT_TIMEOUT || woken < WAIT_OBJECT_0 + count ? GetTickCount64() : 0;
}

// Only while the benchmark counts: the queue's state is one more request.
void Win32Toolkit::countWake(DWORD woken, DWORD count, const std::vector<HANDLE>& handles) {
    using Slot = Win32TurnCounter::Slot;
    if (woken == WAIT_TIMEOUT) return idleWaits_.count(Slot::TimedOut);
    if (woken < WAIT_OBJECT_0 + count)
        return idleWaits_.count(wakeups_->isProcess(handles[woken - WAIT_OBJECT_0]) ? Slot::Process
                                                                                    : Slot::Folder);
    if (woken != WAIT_OBJECT_0 + count) return;
    idleWaits_.count(Slot::Input);
    const DWORD queued = LOWORD(GetQueueStatus(QS_ALLINPUT));
    const std::pair<DWORD, Slot> kinds[] = {{QS_INPUT, Slot::UserInput},
                                            {QS_POSTMESSAGE, Slot::Posted},
                                            {QS_TIMER, Slot::Timer},
                                            {QS_PAINT, Slot::Paint},
                                            {QS_SENDMESSAGE, Slot::Sent}};
    bool known = false;
    for (const auto& [bits, slot] : kinds) {
        if ((queued & bits) == 0) continue;
        idleWaits_.count(slot);
        known = true;
    }
    if (!known) idleWaits_.count(Slot::Other);
}

void Win32Toolkit::endProgram() {
    ended_ = true;
    releaseMediaKeys();
    ExitProcess(0);
}

}  // namespace varnok::platform::win32
