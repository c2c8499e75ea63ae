// The thin objects handed to the forms: each control, timer and window is a
// view onto its state, which the toolkit owns.

#include "platform/win32/Win32Forms.h"

#include <commctrl.h>

#include <stdexcept>

namespace varnok::platform::win32 {

// Tick marks every `frequency` positions, thinned out on long ranges so that
// they never run together.
void updateTicks(HWND slider) {
    LRESULT minimum = SendMessageA(slider, TBM_GETRANGEMIN, 0, 0);
    LRESULT maximum = SendMessageA(slider, TBM_GETRANGEMAX, 0, 0);
    LRESULT range = maximum > minimum ? maximum - minimum : 1;
    LRESULT frequency = range <= 40 ? 1 : (range + 19) / 20;
    SendMessageA(slider, TBM_SETTICFREQ, static_cast<WPARAM>(frequency), 0);
}

namespace {

bool hasStyle(HWND hwnd, LONG_PTR style) {
    return (GetWindowLongPtrA(hwnd, GWL_STYLE) & style) != 0;
}

void setVisibleFlag(HWND hwnd, bool visible) {
    ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
}

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

}  // namespace

FormState& formStateOf(ui::Window& window) {
    auto* native = dynamic_cast<Win32Window*>(&window);
    if (native == nullptr) throw std::logic_error("a Win32 control needs a Win32 window");
    return native->state();
}

HWND formHandle(ui::Window& window) {
    return formStateOf(window).hwnd;
}

std::unique_ptr<ui::Window> makeWindowView(FormState& state) {
    return std::make_unique<Win32Window>(state);
}

std::unique_ptr<ui::Label> makeLabelView(ControlState& state) {
    return std::make_unique<Win32Label>(state);
}

std::unique_ptr<ui::TextField> makeTextFieldView(ControlState& state) {
    return std::make_unique<Win32TextField>(state);
}

std::unique_ptr<ui::Button> makeButtonView(ControlState& state) {
    return std::make_unique<Win32Button>(state);
}

std::unique_ptr<ui::CheckBox> makeCheckBoxView(ControlState& state) {
    return std::make_unique<Win32CheckBox>(state);
}

std::unique_ptr<ui::ListBox> makeListBoxView(ControlState& state) {
    return std::make_unique<Win32ListBox>(state);
}

std::unique_ptr<ui::Slider> makeSliderView(ControlState& state) {
    return std::make_unique<Win32Slider>(state);
}

std::unique_ptr<ui::DriveList> makeDriveListView(ControlState& state) {
    return std::make_unique<Win32DriveList>(state);
}

std::unique_ptr<ui::FolderList> makeFolderListView(ControlState& state) {
    return std::make_unique<Win32FolderList>(state);
}

std::unique_ptr<ui::Timer> makeTimerView(TimerState& state) {
    return std::make_unique<Win32Timer>(state);
}

}  // namespace varnok::platform::win32
