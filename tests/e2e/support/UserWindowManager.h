#pragma once
// The console link's window-manager port made of plain user32 calls, so that
// tests can drive the stand-in with Varnok's own console link, exactly as
// Varnok does. Messages to the foreign windows time out after a few seconds
// instead of blocking a test on a hung window.

#include "console/WindowManager.h"

namespace e2e {

class UserWindowManager : public varnok::console::WindowManager {
  public:
    using WindowHandle = varnok::console::WindowHandle;

    WindowHandle findWindow(const std::optional<std::string>& windowClass,
                            const std::optional<std::string>& title) override;
    WindowHandle relative(WindowHandle window, varnok::console::Relation relation) override;
    void enumChildren(WindowHandle parent, const std::function<bool(WindowHandle)>& visit) override;
    std::string caption(WindowHandle window, int bufferSize) override;
    bool setText(WindowHandle window, const std::string& text) override;
    bool sendChar(WindowHandle window, unsigned char code, long keyData) override;
    long textLength(WindowHandle window) override;
    std::string text(WindowHandle window, long bufferSize) override;
    void show(WindowHandle window, varnok::console::ShowCommand command) override;
    void reposition(WindowHandle window, int x, int y, int width, int height,
                    unsigned flags) override;
};

}  // namespace e2e
