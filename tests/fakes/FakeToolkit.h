#pragma once
// An in-memory toolkit: controls are plain objects whose state tests read and
// set; user actions are simulated by calling click(), moveThumb() and so on.
// Timers tick inside yield() once the fake clock has passed their interval.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fakes/FakeClock.h"
#include "ports/Toolkit.h"

namespace varnok::fakes {

class FakeControl {
  public:
    explicit FakeControl(ui::ControlSpec spec) : spec(std::move(spec)) {}
    ui::ControlSpec spec;
    bool isVisible = true;
    bool isEnabled = true;
};

#define VARNOK_FAKE_CONTROL_BASICS     \
    void setVisible(bool v) override { \
        isVisible = v;                 \
    }                                  \
    bool visible() const override {    \
        return isVisible;              \
    }                                  \
    void setEnabled(bool e) override { \
        isEnabled = e;                 \
    }                                  \
    bool enabled() const override {    \
        return isEnabled;              \
    }

class FakeLabel : public ui::Label, public FakeControl {
  public:
    using FakeControl::FakeControl;
    VARNOK_FAKE_CONTROL_BASICS
    void setCaption(const std::string& c) override { text = c; }
    std::string caption() const override { return text; }
    std::string text = spec.caption;
};

class FakeTextField : public ui::TextField, public FakeControl {
  public:
    using FakeControl::FakeControl;
    VARNOK_FAKE_CONTROL_BASICS
    void setText(const std::string& t) override { value = t; }
    std::string text() const override { return value; }
    std::string value = spec.caption;
};

class FakeButton : public ui::Button, public FakeControl {
  public:
    using FakeControl::FakeControl;
    VARNOK_FAKE_CONTROL_BASICS
    void onClick(ui::Handler h) override { handler = std::move(h); }
    void click() {
        if (handler) handler();
    }
    ui::Handler handler;
};

class FakeCheckBox : public ui::CheckBox, public FakeControl {
  public:
    using FakeControl::FakeControl;
    VARNOK_FAKE_CONTROL_BASICS
    void setValue(int s) override { state = s; }
    int value() const override { return state; }
    void onClick(ui::Handler h) override { handler = std::move(h); }
    // A user click ticks an unticked box and unticks a ticked or greyed one,
    // as the Win32 box does, then runs the handler.
    void click() {
        state = state == 0 ? 1 : 0;
        if (handler) handler();
    }
    int state = 0;
    ui::Handler handler;
};

class FakeListBox : public ui::ListBox, public FakeControl {
  public:
    using FakeControl::FakeControl;
    VARNOK_FAKE_CONTROL_BASICS
    int count() const override { return static_cast<int>(items.size()); }
    std::string item(int i) const override { return items.at(static_cast<std::size_t>(i)); }
    void addItem(const std::string& t) override { items.push_back(t); }
    void removeItem(int i) override;
    void clear() override {
        items.clear();
        selected = -1;
    }
    int listIndex() const override { return selected; }
    void setListIndex(int i) override { selected = (i >= 0 && i < count()) ? i : -1; }
    std::vector<std::string> items;
    int selected = -1;
};

class FakeSlider : public ui::Slider, public FakeControl {
  public:
    FakeSlider(const ui::SliderSpec& s)
        : FakeControl(s.control), low(s.min), high(s.max), orientation(s.orientation) {}
    VARNOK_FAKE_CONTROL_BASICS
    int value() const override { return current; }
    bool setValue(int v) override {
        if (v < low || v > high) return false;
        current = v;
        return true;
    }
    int min() const override { return low; }
    int max() const override { return high; }
    void setMax(int m) override {
        high = m;
        if (current > high) current = high;
    }
    void onUserMove(ui::Handler h) override { handler = std::move(h); }
    // The user drags the thumb to `v`.
    void moveThumb(int v) {
        if (setValue(v) && handler) handler();
    }
    int low, high, current = 0;
    ui::Orientation orientation;
    ui::Handler handler;
};

class FakeDriveList : public ui::DriveList, public FakeControl {
  public:
    using FakeControl::FakeControl;
    VARNOK_FAKE_CONTROL_BASICS
    int count() const override { return static_cast<int>(drives.size()); }
    std::string drive(int i) const override { return drives.at(static_cast<std::size_t>(i)); }
    int listIndex() const override { return selected; }
    void onChange(ui::Handler h) override { handler = std::move(h); }
    void pick(int i) {
        selected = i;
        if (handler) handler();
    }
    std::vector<std::string> drives{"c:", "z:"};
    int selected = 0;
    ui::Handler handler;
};

class FakeFolderList : public ui::FolderList, public FakeControl {
  public:
    using FakeControl::FakeControl;
    VARNOK_FAKE_CONTROL_BASICS
    std::string path() const override { return current; }
    void setPath(const std::string& p) override { current = p; }
    std::string current;
};

#undef VARNOK_FAKE_CONTROL_BASICS

class FakeTimer : public ui::Timer {
  public:
    FakeTimer(FakeClock& clock, std::vector<FakeTimer*>& registry, unsigned ms, bool on,
              ui::Handler h)
        : clock(clock),
          registry(registry),
          ms(ms),
          on(on),
          tick(std::move(h)),
          lastTickMs(clock.elapsedMs) {
        registry.push_back(this);
    }
    // A timer gone with its window never ticks again, as KillTimer ensures.
    ~FakeTimer() override { std::erase(registry, this); }
    // Enabling starts a new interval, as SetTimer does.
    void setEnabled(bool e) override {
        if (e && !on) lastTickMs = clock.elapsedMs;
        on = e;
    }
    bool enabled() const override { return on; }
    unsigned interval() const override { return ms; }
    FakeClock& clock;
    std::vector<FakeTimer*>& registry;
    unsigned ms;
    bool on;
    ui::Handler tick;
    std::uint64_t lastTickMs;  // clock time of the last tick (or of enabling)
};

class FakeWindow : public ui::Window {
  public:
    explicit FakeWindow(ui::WindowSpec spec) : spec(std::move(spec)) {}
    void show() override { isVisible = true; }
    void hide() override { isVisible = false; }
    bool visible() const override { return isVisible; }
    ui::Frame frame() const override { return rect; }
    void moveTo(int left, int top) override {
        rect.left = left;
        rect.top = top;
    }
    void setOuterWidth(int width) override { rect.width = width; }
    void setState(ui::WindowState s) override { states.push_back(current = s); }
    ui::WindowState state() const override { return current; }
    void focus() override { ++focusCount; }
    void onClose(ui::Handler h) override { closeHandler = std::move(h); }
    // The user closes the window through its frame.
    void close() {
        if (closeHandler) closeHandler();
    }

    ui::WindowSpec spec;
    bool isVisible = false;
    ui::Frame rect{0, 0, 443, 379};
    ui::WindowState current = ui::WindowState::Normal;
    std::vector<ui::WindowState> states;
    int focusCount = 0;
    ui::Handler closeHandler;
    std::vector<ui::MenuSpec> menus;
};

class FakeDialogs : public ui::Dialogs {
  public:
    std::optional<std::string> openFile(ui::Window&, const std::string& filter) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& proposed) override;
    void messageBox(const std::string& text, const std::string& title,
                    ui::MessageIcon icon) override;

    // Scripted answers; an empty queue means Cancel.
    std::deque<std::optional<std::string>> openFileAnswers;
    std::deque<std::string> inputAnswers;

    struct Prompt {
        std::string prompt, title, proposed;
    };
    struct Box {
        std::string text, title;
        ui::MessageIcon icon;
    };
    std::vector<std::string> openFileFilters;
    std::vector<Prompt> prompts;
    std::vector<Box> boxes;
};

class FakeToolkit : public ui::Toolkit {
  public:
    explicit FakeToolkit(FakeClock& clock) : clock_(clock) {}

    std::unique_ptr<ui::Window> createWindow(const ui::WindowSpec& spec) override;
    std::unique_ptr<ui::Label> createLabel(ui::Window&, const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::TextField> createTextField(ui::Window&,
                                                   const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::Button> createButton(ui::Window&, const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::CheckBox> createCheckBox(ui::Window&, const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::ListBox> createListBox(ui::Window&, const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::Slider> createSlider(ui::Window&, const ui::SliderSpec& spec) override;
    std::unique_ptr<ui::DriveList> createDriveList(ui::Window&,
                                                   const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::FolderList> createFolderList(ui::Window&,
                                                     const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::Timer> createTimer(ui::Window&, unsigned intervalMs, bool enabled,
                                           ui::Handler onTick) override;
    void createMenuBar(ui::Window& window, const std::vector<ui::MenuSpec>& menus) override;
    void setMenuChecked(ui::Window&, const std::string& item, bool checked) override {
        menuChecked[item] = checked;
    }
    void takeMediaKeys(ui::Window&, ui::MediaKeyHandler pressed) override;
    void releaseMediaKeys() override { mediaKeysTaken = false; }

    ui::Dialogs& dialogs() override { return dialogs_; }
    ui::Frame workArea() const override { return freeArea; }

    // Runs the actions queued for this yield, then the ticks that are due.
    void yield() override;
    // Waiting passes the fake clock's time.
    void idle(unsigned maxMs) override;
    void endProgram() override { hasEnded = true; }
    bool ended() const override { return hasEnded; }

    // Queues a user action (a click, a menu choice) for the next yield.
    void duringNextYield(std::function<void()> action) { pending_.push_back(std::move(action)); }
    bool pendingActions() const { return !pending_.empty(); }
    // Runs the handler of the menu item named `name` (e.g. "mnuExit").
    void chooseMenu(const std::string& name);
    // A media key pressed anywhere: reaches Varnok only while it holds the keys.
    void pressMediaKey(ui::MediaKey key);

    FakeDialogs& fakeDialogs() { return dialogs_; }
    int yields = 0;
    std::vector<unsigned> idles;
    bool hasEnded = false;
    ui::Frame freeArea{0, 0, 1024, 768};
    std::vector<FakeTimer*> timers;
    std::vector<ui::MenuSpec> menus;
    std::map<std::string, bool> menuChecked;
    bool mediaKeysTaken = false;
    ui::MediaKeyHandler mediaKeyHandler;

  private:
    FakeClock& clock_;
    FakeDialogs dialogs_;
    std::vector<std::function<void()>> pending_;
};

// Casts a control made by the fake toolkit back to its fake type.
template <typename Fake, typename Port>
Fake& fake(const std::unique_ptr<Port>& control) {
    return dynamic_cast<Fake&>(*control);
}

}  // namespace varnok::fakes
