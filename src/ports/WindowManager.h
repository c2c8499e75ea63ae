#pragma once
// The window-manager port: the few user32 operations through which Varnok finds
// and drives the game's windows. The Win32 adapter makes the real calls; tests
// use an in-memory desktop. Every message to another process's window may time
// out (a hung game) or be refused (a game run as administrator). A length or
// text that timed out reads as no answer (nothing), which callers must not
// take for an empty window.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varnok::console {

// The characters' 8-bit codes followed by a zero byte: the text as the
// window system's ANSI calls take it.
inline std::vector<unsigned char> TextToBytes(const std::string& text) {
    std::vector<unsigned char> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// What became of a message sent to a window: it was handled; it got no
// answer in time (a busy or hung game, or a window that is gone); or the
// window system refused to pass it on (a game run as administrator refuses
// messages from a program that is not).
enum class Delivery { Delivered, NoAnswer, Refused };

// A window of the window system; 0 means none.
using WindowHandle = std::uintptr_t;

enum class Relation { FirstChild, NextSibling };  // GW_CHILD, GW_HWNDNEXT
enum class ShowCommand { Hide, Show };            // SW_HIDE, SW_SHOW

// What a WM_GETTEXTLENGTH found out: the length, or no answer in time, or that
// the window no longer exists (length 0). Telling "gone" from "empty" comes
// with the answer itself, so a window that answers needs no other check.
struct TextLength {
    std::optional<long> length;  // nothing: the window did not answer in time
    bool gone = false;           // the window no longer exists
    bool refused = false;        // the window system refused the message (no length)
};

class WindowManager {
  public:
    virtual ~WindowManager() = default;

    // FindWindowA: an absent class or title places no condition on it.
    virtual WindowHandle findWindow(const std::optional<std::string>& windowClass,
                                    const std::optional<std::string>& title) = 0;
    // GetWindow; 0 when there is no such window or `window` is 0.
    virtual WindowHandle relative(WindowHandle window, Relation relation) = 0;
    // EnumChildWindows: calls `visit` for each child in enumeration order until
    // it answers false.
    virtual void enumChildren(WindowHandle parent,
                              const std::function<bool(WindowHandle)>& visit) = 0;
    // GetWindowTextA with a buffer of `bufferSize` bytes (at most bufferSize - 1 characters).
    virtual std::string caption(WindowHandle window, int bufferSize) = 0;
    // WM_SETTEXT with the bytes of `text` and a terminating zero.
    virtual Delivery setText(WindowHandle window, const std::string& text) = 0;
    // WM_CHAR with the character code and the key data (repeat count in the low word).
    virtual Delivery sendChar(WindowHandle window, unsigned char code, long keyData) = 0;
    // WM_GETTEXTLENGTH; 0 for handle 0 or a vanished window (marked gone);
    // no length when the window did not answer in time.
    virtual TextLength measureText(WindowHandle window) = 0;
    // WM_GETTEXT into a buffer of `bufferSize` bytes: the characters copied
    // (none for handle 0 or a vanished window); nothing when the window did
    // not answer in time.
    virtual std::optional<std::string> text(WindowHandle window, long bufferSize) = 0;
    // ShowWindow; does nothing for handle 0.
    virtual void show(WindowHandle window, ShowCommand command) = 0;
    // SetWindowPos with insert-after 0 (top of the order) and the given flags.
    virtual void reposition(WindowHandle window, int x, int y, int width, int height,
                            unsigned flags) = 0;
    // The process's main window, whatever its class: its first visible
    // top-level window (top of the z-order first) that has no owner; 0 when none.
    virtual WindowHandle mainWindowOf(std::uint32_t process) = 0;
};

}  // namespace varnok::console
