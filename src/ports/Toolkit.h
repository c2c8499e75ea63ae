#pragma once
// The toolkit port: the windows and controls the forms are built from, the
// dialogs, and the yield to the window system. The Win32 adapter builds real
// controls; tests use plain in-memory objects whose state they read and set.
//
// Handlers attached with on...() run only for the user's own actions (and, in
// tests, for simulated ones); setting a value from code never calls them, so a
// form that wants its click action after a programmatic change calls it itself.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ports/Layout.h"

namespace varnok::ui {

using Handler = std::function<void()>;

class Control {
  public:
    virtual ~Control() = default;
    virtual void setVisible(bool visible) = 0;
    virtual bool visible() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
};

class Label : public Control {
  public:
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string caption() const = 0;
};

// A one-line editable text field.
class TextField : public Control {
  public:
    virtual void setText(const std::string& text) = 0;
    virtual std::string text() const = 0;
};

class Button : public Control {
  public:
    virtual void onClick(Handler handler) = 0;
};

// States: 0 unticked, 1 ticked, 2 greyed.
class CheckBox : public Control {
  public:
    virtual void setValue(int state) = 0;
    virtual int value() const = 0;
    virtual void onClick(Handler handler) = 0;
};

class ListBox : public Control {
  public:
    virtual int count() const = 0;
    virtual std::string item(int index) const = 0;
    virtual void addItem(const std::string& text) = 0;
    virtual void removeItem(int index) = 0;
    virtual void clear() = 0;
    // The selected index, -1 when none.
    virtual int listIndex() const = 0;
    virtual void setListIndex(int index) = 0;
};

// A trackbar. setValue refuses a value outside min..max and keeps the old one.
class Slider : public Control {
  public:
    virtual int value() const = 0;
    virtual bool setValue(int value) = 0;
    virtual int min() const = 0;
    virtual int max() const = 0;
    virtual void setMax(int max) = 0;
    // The user moved the thumb (never a setValue from code).
    virtual void onUserMove(Handler handler) = 0;
};

// A list of the machine's drives ("c:", "z:", ...).
class DriveList : public Control {
  public:
    virtual int count() const = 0;
    virtual std::string drive(int index) const = 0;
    virtual int listIndex() const = 0;
    virtual void onChange(Handler handler) = 0;
};

// A list of the folders of one path; its current path is the selection.
class FolderList : public Control {
  public:
    virtual std::string path() const = 0;
    virtual void setPath(const std::string& path) = 0;
};

class Timer {
  public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    virtual unsigned interval() const = 0;
};

enum class WindowState { Normal, Minimized, Maximized };

// A window's outer frame in screen pixels.
struct Frame {
    int left = 0, top = 0, width = 0, height = 0;
};

class Window {
  public:
    virtual ~Window() = default;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool visible() const = 0;
    virtual Frame frame() const = 0;
    virtual void moveTo(int left, int top) = 0;
    virtual void setOuterWidth(int width) = 0;
    virtual void setState(WindowState state) = 0;
    virtual WindowState state() const = 0;
    virtual void focus() = 0;
    // The user closed the window through its frame (the close box, Alt+F4).
    virtual void onClose(Handler handler) = 0;
};

struct MenuItemSpec {
    std::string name;  // e.g. "mnuSave"
    std::string caption;
    Handler handler;
};

struct MenuSpec {
    std::string name;  // e.g. "mnuFile"
    std::string caption;
    std::vector<MenuItemSpec> items;
};

enum class MessageIcon { None, Error, Information };

// The keyboard's media keys.
enum class MediaKey { NextTrack, PrevTrack, PlayPause, Stop };
using MediaKeyHandler = std::function<void(MediaKey)>;

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // An open-file dialog with a filter of "Description|pattern|..." pairs;
    // the chosen full path, or nothing when cancelled.
    virtual std::optional<std::string> openFile(Window& owner, const std::string& filter) = 0;
    // A modal input box; Cancel gives the empty text, like an empty answer.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& proposed) = 0;
    // A modal message box with an OK button.
    virtual void messageBox(const std::string& text, const std::string& title,
                            MessageIcon icon) = 0;
};

class Toolkit {
  public:
    virtual ~Toolkit() = default;

    virtual std::unique_ptr<Window> createWindow(const WindowSpec& spec) = 0;
    virtual std::unique_ptr<Label> createLabel(Window& parent, const ControlSpec& spec) = 0;
    virtual std::unique_ptr<TextField> createTextField(Window& parent, const ControlSpec& spec) = 0;
    virtual std::unique_ptr<Button> createButton(Window& parent, const ControlSpec& spec) = 0;
    virtual std::unique_ptr<CheckBox> createCheckBox(Window& parent, const ControlSpec& spec) = 0;
    virtual std::unique_ptr<ListBox> createListBox(Window& parent, const ControlSpec& spec) = 0;
    virtual std::unique_ptr<Slider> createSlider(Window& parent, const SliderSpec& spec) = 0;
    virtual std::unique_ptr<DriveList> createDriveList(Window& parent, const ControlSpec& spec) = 0;
    virtual std::unique_ptr<FolderList> createFolderList(Window& parent,
                                                         const ControlSpec& spec) = 0;
    // A timer that ticks only inside a yield.
    virtual std::unique_ptr<Timer> createTimer(Window& owner, unsigned intervalMs, bool enabled,
                                               Handler onTick) = 0;
    virtual void createMenuBar(Window& window, const std::vector<MenuSpec>& menus) = 0;
    // Ticks or unticks the item named `item` of the window's menu bar.
    virtual void setMenuChecked(Window& window, const std::string& item, bool checked) = 0;

    // Takes the four media keys for the whole desktop, the game in front
    // included: a press runs `pressed` inside a yield. A key that another
    // program already holds stays with it.
    virtual void takeMediaKeys(Window& owner, MediaKeyHandler pressed) = 0;
    // Gives every taken media key back to the system.
    virtual void releaseMediaKeys() = 0;

    virtual Dialogs& dialogs() = 0;
    // The screen's work area in pixels: the part that task bars leave free.
    virtual Frame workArea() const = 0;

    // Runs every pending window message (input, paints, menu choices, timer
    // ticks) and returns. Handlers of every window run only in here.
    virtual void yield() = 0;
    // Waits until window input arrives or `maxMs` pass, whichever is first.
    virtual void idle(unsigned maxMs) = 0;
    // Ends the program at once: no further handler or turn runs.
    virtual void endProgram() = 0;
    // True once the program has been ended (in-memory toolkits return from
    // endProgram; the Win32 one never does).
    virtual bool ended() const = 0;
};

}  // namespace varnok::ui
