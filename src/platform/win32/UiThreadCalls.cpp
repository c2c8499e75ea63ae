#include "platform/win32/UiThreadCalls.h"

#include <utility>

#include "ports/Failures.h"

namespace varnok::platform::win32 {

namespace {

constexpr UINT kCallMessage = WM_APP + 27;
constexpr const char* kWindowClass = "VarnokUiThreadCalls";

using Call = std::function<void()>;

}  // namespace

UiThreadCalls::UiThreadCalls() {
    static const ATOM registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &UiThreadCalls::windowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassA(&windowClass);
    }();
    if (registered)
        window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), this);
}

UiThreadCalls::~UiThreadCalls() {
    if (!window_) return;
    MSG message;
    while (PeekMessageA(&message, window_, kCallMessage, kCallMessage, PM_REMOVE))
        delete reinterpret_cast<Call*>(message.lParam);
    DestroyWindow(window_);
}

bool UiThreadCalls::post(std::function<void()> call) const {
    if (!window_) return false;
    auto* posted = new Call(std::move(call));
    if (PostMessageA(window_, kCallMessage, 0, reinterpret_cast<LPARAM>(posted))) return true;
    delete posted;
    return false;
}

void UiThreadCalls::after(unsigned ms, std::function<void()> call) {
    if (!window_) return;
    const UINT_PTR id = ++lastTimer_;
    if (SetTimer(window_, id, ms, nullptr)) timers_[id] = std::move(call);
}

void UiThreadCalls::timerDue(UINT_PTR id) {
    KillTimer(window_, id);
    const auto found = timers_.find(id);
    if (found == timers_.end()) return;
    const std::function<void()> call = std::move(found->second);
    timers_.erase(found);
    engine::runContained("a media graph's time limit", call);
}

void UiThreadCalls::runQueued() {
    MSG message;
    while (window_ && PeekMessageA(&message, window_, kCallMessage, kCallMessage, PM_REMOVE))
        DispatchMessageA(&message);
}

LRESULT CALLBACK UiThreadCalls::windowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    if (message == WM_TIMER) {
        auto* self = reinterpret_cast<UiThreadCalls*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self) self->timerDue(wParam);
        return 0;
    }
    if (message != kCallMessage) return DefWindowProcA(window, message, wParam, lParam);
    std::unique_ptr<Call> call(reinterpret_cast<Call*>(lParam));
    // Nothing may unwind through a window procedure.
    engine::runContained("a media graph's answer", *call);
    return 0;
}

std::function<void()> whileAlive(const LifeToken& token, std::function<void()> call) {
    return [weak = std::weak_ptr<const bool>(token), call = std::move(call)] {
        if (!weak.expired()) call();
    };
}

}  // namespace varnok::platform::win32
