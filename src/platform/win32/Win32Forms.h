#pragma once
// Internals shared by the Win32 toolkit's translation units: the state behind
// each form and control. The toolkit owns all of it for the program's life;
// the objects handed to the forms are thin views onto it.

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "ports/Toolkit.h"

namespace varnok::platform::win32 {

struct FormState;

enum class ControlKind {
    Label,
    TextField,
    Button,
    CheckBox,
    ListBox,
    Slider,
    DriveList,
    FolderList
};

struct ControlState {
    ControlKind kind = ControlKind::Label;
    HWND hwnd = nullptr;
    FormState* form = nullptr;
    std::optional<COLORREF> textColour;
    std::optional<COLORREF> background;
    HBRUSH backgroundBrush = nullptr;
    HFONT font = nullptr;
    bool ownerDrawn = false;
    ui::Handler onClick;     // buttons, check boxes
    ui::Handler onChange;    // drive lists
    ui::Handler onUserMove;  // sliders
    // Sliders: the position last reported to onUserMove since the last change
    // made from code, so that one gesture that ends in several notifications
    // calls the handler once.
    std::optional<int> reportedPosition;
    std::vector<std::string> drives;       // drive lists: "c:", ...
    std::string folder;                    // folder lists: the current folder
    std::vector<std::string> folderItems;  // folder lists: the folder each row opens
};

struct ToolkitState;

struct TimerState {
    HWND owner = nullptr;
    UINT_PTR id = 0;
    unsigned interval = 0;
    bool enabled = false;
    ui::Handler onTick;
};

struct FormState {
    ToolkitState* toolkit = nullptr;
    HWND hwnd = nullptr;
    DWORD style = 0, exStyle = 0;
    int clientWidth = 0, clientHeight = 0;  // pixels
    COLORREF background = 0;
    HBRUSH backgroundBrush = nullptr;
    ui::Handler onClose;
    HWND tooltip = nullptr;
    HWND lastFocus = nullptr;
    std::vector<std::pair<int, HWND>> tabOrder;  // tab stops, sorted by tab index
    std::map<UINT, ui::Handler> menuHandlers;
    std::map<std::string, UINT> menuIds;  // the first item of each name
};

struct ToolkitState {
    HINSTANCE instance = nullptr;
    int dpi = 96;
    ui::Font defaultFont;
    std::map<std::tuple<std::string, int, bool>, HFONT> fonts;
    std::map<COLORREF, HBRUSH> brushes;
    std::set<std::string> registeredClasses;
    std::vector<std::unique_ptr<FormState>> forms;
    std::unordered_map<HWND, FormState*> formsByHwnd;
    std::vector<std::unique_ptr<ControlState>> controls;
    std::unordered_map<HWND, ControlState*> controlsByHwnd;
    std::map<UINT_PTR, std::unique_ptr<TimerState>> timers;
    UINT_PTR nextTimerId = 1;
    std::unique_ptr<ui::Dialogs> dialogs;
    // Media keys: the window their WM_HOTKEY goes to, the hot-key ids taken
    // (each the key's index in kMediaKeys), and what a press runs.
    HWND mediaKeyOwner = nullptr;
    std::vector<int> mediaKeyIds;
    ui::MediaKeyHandler onMediaKey;

    int pixels(int twips) const;
    HBRUSH brush(COLORREF colour);
    HFONT font(const ui::Font& font);
    ControlState* control(HWND hwnd) const;
};

// The native window behind a form made by the Win32 toolkit.
HWND formHandle(ui::Window& window);
COLORREF toColorref(const ui::Rgb& rgb);
std::string windowText(HWND hwnd);
// Runs a handler, never letting an exception unwind through the window system.
void runHandler(const ui::Handler& handler);
std::unique_ptr<ui::Dialogs> makeDialogs(ToolkitState& toolkit);
// Gives a control whose caption would not fit it in `font` (the font it was
// made with) a smaller size of that font (Win32CaptionFit.cpp).
void fitCaption(ToolkitState& toolkit, ControlState& control, const std::string& caption,
                ui::Font font);

// Media keys (Win32MediaKeys.cpp): a WM_HOTKEY's id run as its key's press.
void mediaKeyHotKey(ToolkitState& toolkit, int id);

// The window procedure of every form (Win32FormProc.cpp).
LRESULT CALLBACK formProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Whether a window lies inside another; false for no window.
bool isChildOf(HWND child, HWND parent);

// Drive and folder lists (Win32FolderLists.cpp). setFolder opens a folder in a
// folder list and lists it; a path that is no folder changes nothing.
void setFolder(ControlState& list, const std::string& path);
// The system's drives as "c:", ...
std::vector<std::string> logicalDrives();
// The process's current folder, "c:\" when it cannot be read.
std::string currentFolder();

// The views handed to the forms (Win32Views.cpp). formStateOf throws for a
// window that this toolkit did not make.
FormState& formStateOf(ui::Window& window);
// Spaces a slider's tick marks for its range.
void updateTicks(HWND slider);
std::unique_ptr<ui::Window> makeWindowView(FormState& state);
std::unique_ptr<ui::Label> makeLabelView(ControlState& state);
std::unique_ptr<ui::TextField> makeTextFieldView(ControlState& state);
std::unique_ptr<ui::Button> makeButtonView(ControlState& state);
std::unique_ptr<ui::CheckBox> makeCheckBoxView(ControlState& state);
std::unique_ptr<ui::ListBox> makeListBoxView(ControlState& state);
std::unique_ptr<ui::Slider> makeSliderView(ControlState& state);
std::unique_ptr<ui::DriveList> makeDriveListView(ControlState& state);
std::unique_ptr<ui::FolderList> makeFolderListView(ControlState& state);
std::unique_ptr<ui::Timer> makeTimerView(TimerState& state);

}  // namespace varnok::platform::win32
