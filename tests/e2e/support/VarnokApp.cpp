#include "support/VarnokApp.h"

#include "ports/ControlIds.h"
#include "support/Paths.h"

namespace e2e {

VarnokApp::VarnokApp(const TempFolder& folder, std::vector<std::string> args)
    : folder_(folder.text()) {
    char ears[16] = {};
    if (GetEnvironmentVariableA("VARNOK_E2E_EARS", ears, sizeof ears) > 0 &&
        std::string(ears) == "pane")
        args.push_back("--pane");
    std::string source = varnokExePath();
    std::string exe = folder.file("Varnok.exe");
    if (!CopyFileA(source.c_str(), exe.c_str(), FALSE)) {
        error_ = "cannot copy " + source + " (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    if (!process_.start(exe, args, folder.text())) {
        error_ = process_.lastError();
        return;
    }
    std::string mainClass = varnok::ui::windowClassName("frmMain");
    main_ = waitForTopLevelWindow(mainClass.c_str(), nullptr, process_.id(), Millis(20000));
    if (!main_) error_ = "Varnok's main window did not appear";
}

HWND VarnokApp::window(const std::string& formName) const {
    std::string windowClass = varnok::ui::windowClassName(formName);
    return findTopLevelWindow(windowClass.c_str(), nullptr, process_.id());
}

HWND VarnokApp::control(const std::string& name) const {
    return main_ ? GetDlgItem(main_, varnok::ui::controlId(name)) : nullptr;
}

std::optional<std::string> VarnokApp::controlText(const std::string& name, UINT timeoutMs) const {
    return windowText(control(name), timeoutMs);
}

bool VarnokApp::controlVisible(const std::string& name) const {
    return isShown(control(name));
}

bool VarnokApp::clickButton(const std::string& name) const {
    HWND button = control(name);
    if (!button) return false;
    int id = varnok::ui::controlId(name);
    return PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != 0;
}

bool VarnokApp::chooseMenu(const std::string& name) const {
    return main_ &&
           PostMessageA(main_, WM_COMMAND, MAKEWPARAM(varnok::ui::controlId(name), 0), 0) != 0;
}

}  // namespace e2e
