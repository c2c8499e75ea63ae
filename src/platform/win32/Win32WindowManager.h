#pragma once
// The window-manager port over user32: finds the game's windows and talks to
// them. Every message to a window goes through SendMessageTimeoutA with
// SMTO_ABORTIFHUNG, so a game whose window thread stops answering costs Varnok
// at most one timeout per call instead of freezing it. A timed-out command
// reads as not delivered; a timed-out length or text as no answer, told apart
// from the 0 and the empty text of a window that is gone.
//
// Messages to another process's windows are sent from a courier thread, and
// the calling thread waits for it no longer than the timeout: Wine's ANSI
// messages to another process can wait for the receiver however long it
// takes. While the courier is still stuck on an unanswered message, further
// messages to other processes read as absent at once. The pane's length, asked
// on every turn, is the exception: it goes out wide from the calling thread,
// which keeps to the timeout, and a window that lets the timeout pass is
// watched by the courier until it answers again.

#include <memory>

#include "ports/WindowManager.h"

namespace varnok::platform::win32 {

class Win32WindowManager : public console::WindowManager {
  public:
    explicit Win32WindowManager(unsigned timeoutMs = 1000);
    ~Win32WindowManager() override;
    Win32WindowManager(const Win32WindowManager&) = delete;
    Win32WindowManager& operator=(const Win32WindowManager&) = delete;

    console::WindowHandle findWindow(const std::optional<std::string>& windowClass,
                                     const std::optional<std::string>& title) override;
    console::WindowHandle relative(console::WindowHandle window,
                                   console::Relation relation) override;
    void enumChildren(console::WindowHandle parent,
                      const std::function<bool(console::WindowHandle)>& visit) override;
    std::string caption(console::WindowHandle window, int bufferSize) override;
    console::Delivery setText(console::WindowHandle window, const std::string& text) override;
    console::Delivery sendChar(console::WindowHandle window, unsigned char code,
                               long keyData) override;
    console::TextLength measureText(console::WindowHandle window) override;
    std::optional<std::string> text(console::WindowHandle window, long bufferSize) override;
    void show(console::WindowHandle window, console::ShowCommand command) override;
    void reposition(console::WindowHandle window, int x, int y, int width, int height,
                    unsigned flags) override;
    console::WindowHandle mainWindowOf(std::uint32_t process) override;

    struct Courier;

  private:
    unsigned timeoutMs_;
    std::shared_ptr<Courier> courier_;
};

}  // namespace varnok::platform::win32
