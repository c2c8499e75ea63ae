#pragma once
// The toolkit port over user32, comctl32 and comdlg32: every form is a real
// top-level window of its own class ("Varnok_" + the form's name), every
// control a real child window whose id is ui::controlId of its name, so that
// another process can find and drive them. Positions in twips are converted at
// the system DPI. Handlers run only from inside yield(), where the message pump
// dispatches clicks, scroll notifications, menu commands and timer ticks.

#include <memory>

#include "platform/win32/Win32TurnCounter.h"
#include "platform/win32/Win32Wakeups.h"
#include "ports/Toolkit.h"

namespace varnok::platform::win32 {

// What the toolkit keeps of its forms and controls (Win32Forms.h).
struct ToolkitState;

class Win32Toolkit : public ui::Toolkit {
  public:
    Win32Toolkit();
    ~Win32Toolkit() override;
    Win32Toolkit(const Win32Toolkit&) = delete;
    Win32Toolkit& operator=(const Win32Toolkit&) = delete;

    std::unique_ptr<ui::Window> createWindow(const ui::WindowSpec& spec) override;
    std::unique_ptr<ui::Label> createLabel(ui::Window& parent,
                                           const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::TextField> createTextField(ui::Window& parent,
                                                   const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::Button> createButton(ui::Window& parent,
                                             const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::CheckBox> createCheckBox(ui::Window& parent,
                                                 const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::ListBox> createListBox(ui::Window& parent,
                                               const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::Slider> createSlider(ui::Window& parent,
                                             const ui::SliderSpec& spec) override;
    std::unique_ptr<ui::DriveList> createDriveList(ui::Window& parent,
                                                   const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::FolderList> createFolderList(ui::Window& parent,
                                                     const ui::ControlSpec& spec) override;
    std::unique_ptr<ui::Timer> createTimer(ui::Window& owner, unsigned intervalMs, bool enabled,
                                           ui::Handler onTick) override;
    void createMenuBar(ui::Window& window, const std::vector<ui::MenuSpec>& menus) override;
    void setMenuChecked(ui::Window& window, const std::string& item, bool checked) override;
    void takeMediaKeys(ui::Window& owner, ui::MediaKeyHandler pressed) override;
    void releaseMediaKeys() override;

    ui::Dialogs& dialogs() override;
    ui::Frame workArea() const override;

    void yield() override;
    void idle(unsigned maxMs) override;
    // The wait also ends when one of these handles is signalled.
    void wakeAlsoFor(Win32Wakeups* wakeups) { wakeups_ = wakeups; }
    [[noreturn]] void endProgram() override;
    bool ended() const override { return ended_; }

    // The system DPI that twips are converted at.
    int dpi() const;

  private:
    void countWake(DWORD woken, DWORD count, const std::vector<HANDLE>& handles);

    std::unique_ptr<ToolkitState> impl_;
    bool ended_ = false;
    unsigned long long waitedInVainAt_ = 0;  // when idle() last ran out with nothing arriving
    Win32Wakeups* wakeups_ = nullptr;
    Win32TurnCounter idleWaits_;
};

}  // namespace varnok::platform::win32
