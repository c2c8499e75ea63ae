#pragma once
// Varnok.exe under test: copied into a test folder (so that its "Saves" folder
// is fresh), started there, and looked at from outside: its main window by
// class "Varnok_frmMain", its controls by ui::controlId(name).

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "support/Process.h"
#include "support/TempFolder.h"
#include "support/Windows.h"

namespace e2e {

class VarnokApp {
  public:
    // Copies Varnok.exe into `folder` and starts it with `args`; check
    // started(). With the environment variable VARNOK_E2E_EARS=pane it runs
    // with "--pane": it reads the game's console pane, never its log.
    explicit VarnokApp(const TempFolder& folder, std::vector<std::string> args = {});
    ~VarnokApp() { process_.kill(); }

    // True once the process runs and its main window exists.
    bool started() const { return main_ != nullptr; }
    const std::string& startError() const { return error_; }
    ChildProcess& process() { return process_; }
    // The folder Varnok runs from (its "Saves" folder lies inside).
    const std::string& folder() const { return folder_; }

    HWND mainWindow() const { return main_; }
    // Another of Varnok's windows by its form name (e.g. "frmPlay"); 0 when absent.
    HWND window(const std::string& formName) const;
    // The control or menu item of that name (GetDlgItem with its id); 0 when absent.
    HWND control(const std::string& name) const;
    std::optional<std::string> controlText(const std::string& name, UINT timeoutMs = 2000) const;
    bool controlVisible(const std::string& name) const;
    // A click on the named button (WM_COMMAND with BN_CLICKED, posted).
    bool clickButton(const std::string& name) const;
    // The named menu item chosen (WM_COMMAND with its id, posted).
    bool chooseMenu(const std::string& name) const;
    // Whether the main window answers within `timeoutMs`.
    bool responsive(UINT timeoutMs) const { return answersWithin(main_, timeoutMs); }

  private:
    ChildProcess process_;
    std::string folder_;
    HWND main_ = nullptr;
    std::string error_;
};

}  // namespace e2e
