#pragma once
// Brings calls over to the user-interface thread: a message-only window made
// by that thread receives each call as a posted message, so it runs inside the
// toolkit's yield (Win32Toolkit::yield dispatches every message of the
// thread), and the message also ends the loop's idle wait
// (MsgWaitForMultipleObjectsEx with QS_ALLINPUT). The media graphs answer
// their opens this way, from the threads that open the files, and give up on
// an open that takes too long through a timer of the same window.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

namespace varnok::platform::win32 {

class UiThreadCalls {
  public:
    // Made on the thread that is to run the calls.
    UiThreadCalls();
    // Calls still queued are dropped.
    ~UiThreadCalls();
    UiThreadCalls(const UiThreadCalls&) = delete;
    UiThreadCalls& operator=(const UiThreadCalls&) = delete;

    // From any thread: `call` runs on the window's thread the next time its
    // messages are dispatched. False when it could not be posted.
    bool post(std::function<void()> call) const;
    // On the window's thread: `call` runs there once, `ms` from now (a
    // WM_TIMER of the window).
    void after(unsigned ms, std::function<void()> call);
    // On the window's thread: runs the calls posted so far, outside a yield.
    void runQueued();

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM, LPARAM);
    void timerDue(UINT_PTR id);

    HWND window_ = nullptr;
    std::map<UINT_PTR, std::function<void()>> timers_;
    UINT_PTR lastTimer_ = 0;
};

// A call that runs only while its owner lives: the owner keeps the token, the
// call holds it weakly.
using LifeToken = std::shared_ptr<const bool>;
inline LifeToken makeLifeToken() {
    return std::make_shared<const bool>(true);
}
std::function<void()> whileAlive(const LifeToken& token, std::function<void()> call);

}  // namespace varnok::platform::win32
