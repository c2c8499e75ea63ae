#include "platform/win32/Win32WindowManager.h"

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "ports/Failures.h"
#include "ports/WindowManager.h"

namespace varnok::platform::win32 {

using console::WindowHandle;

namespace {

HWND toHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
WindowHandle toHandle(HWND hwnd) {
    return reinterpret_cast<WindowHandle>(hwnd);
}

// One message and the bytes its lParam points at (text to set or a buffer to
// fill), owned here so that an abandoned message can still finish safely.
struct Message {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::vector<char> data;
    bool lParamIsData = false;
    DWORD error = ERROR_SUCCESS;  // why a send failed, as the sending thread saw it
    LPARAM argument() { return lParamIsData ? reinterpret_cast<LPARAM>(data.data()) : lParam; }
};

std::optional<LRESULT> sendNow(Message& message, unsigned timeoutMs) {
    DWORD_PTR result = 0;
    // The length is asked for in wide characters: Wine answers an ANSI
    // WM_GETTEXTLENGTH sent to another process by fetching the window's whole
    // text to count it, on every poll and with no time limit. In the 8-bit
    // code page the console uses, both counts are the same.
    auto send = message.message == WM_GETTEXTLENGTH ? SendMessageTimeoutW : SendMessageTimeoutA;
    SetLastError(ERROR_SUCCESS);
    if (send(message.hwnd, message.message, message.wParam, message.argument(),
             SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs, &result) == 0) {
        message.error = GetLastError();
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

}  // namespace

struct Win32WindowManager::Courier {
    struct Job {
        Message message;
        unsigned timeoutMs = 0;
        std::optional<LRESULT> result;
        bool finished = false;   // under the mutex
        bool unlimited = false;  // sent with no time limit (a watch)
    };

    std::mutex mutex;
    std::condition_variable wake;
    std::shared_ptr<Job> job;  // the message in flight; empty when the courier is free
    bool stopping = false;
    // Set after every job, made once for all of them: a turn asks the game
    // for the pane's length many times a second, and each event made and
    // closed is two more requests to the window system.
    HANDLE answered = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    // Which windows belong to another process, by handle, for the calling
    // thread only: asking costs a request to the window system, and the same
    // few windows (the pane, the input line) are asked about on every turn.
    std::unordered_map<HWND, bool> otherProcess;

    bool inOtherProcess(HWND hwnd) {
        auto known = otherProcess.find(hwnd);
        if (known != otherProcess.end()) return known->second;
        if (otherProcess.size() >= 64) otherProcess.clear();
        DWORD process = 0;
        GetWindowThreadProcessId(hwnd, &process);
        const bool other = process != 0 && process != GetCurrentProcessId();
        // A handle of no window yet is asked about again next time.
        if (process != 0) otherProcess.emplace(hwnd, other);
        return other;
    }

    ~Courier() {
        if (answered != nullptr) CloseHandle(answered);
    }

    static void run(std::shared_ptr<Courier> self) {
        for (;;) {
            std::shared_ptr<Job> current;
            {
                std::unique_lock<std::mutex> lock(self->mutex);
                self->wake.wait(lock, [&] { return self->stopping || self->job != nullptr; });
                if (self->job == nullptr) return;
                current = self->job;
            }
            if (current->unlimited) {
                SendMessageW(current->message.hwnd, current->message.message, 0, 0);
                current->result = 0;
            } else {
                current->result = sendNow(current->message, current->timeoutMs);
            }
            {
                std::lock_guard<std::mutex> lock(self->mutex);
                current->finished = true;
                self->job.reset();
            }
            SetEvent(self->answered);
        }
    }

    bool busy() {
        std::lock_guard<std::mutex> lock(mutex);
        return job != nullptr;
    }

    // Waits, on the courier thread and with no time limit, for a window that
    // did not answer in time to answer a WM_NULL; until it does, every
    // further message to another process reads as absent at once instead of
    // waiting out a timeout of its own.
    void watch(HWND hwnd) {
        auto current = std::make_shared<Job>();
        current->message = Message{hwnd, WM_NULL, 0, 0, {}, false};
        current->unlimited = true;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (job != nullptr) return;
            job = current;
        }
        wake.notify_one();
    }

    bool finished(const Job& current) {
        std::lock_guard<std::mutex> lock(mutex);
        return current.finished;
    }

    // Hands the message to the courier thread and waits for its answer no
    // longer than the timeout (plus a little for the hand-over). Messages sent
    // to this thread's own windows meanwhile are still handled, as during a
    // plain SendMessageTimeoutA.
    // An answered message's data (a filled WM_GETTEXT buffer) is copied back.
    std::optional<LRESULT> send(Message& message, unsigned timeoutMs) {
        if (answered == nullptr) return std::nullopt;
        auto current = std::make_shared<Job>();
        current->message = message;
        current->timeoutMs = timeoutMs;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (job != nullptr) return std::nullopt;  // still stuck on an earlier message
            job = current;
        }
        wake.notify_one();

        const ULONGLONG deadline = GetTickCount64() + timeoutMs + 250;
        std::optional<LRESULT> answer;
        for (;;) {
            ULONGLONG now = GetTickCount64();
            DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
            DWORD woken = MsgWaitForMultipleObjectsEx(1, &answered, left, QS_SENDMESSAGE, 0);
            if (woken == WAIT_OBJECT_0) {
                // The event may still carry the answer of an earlier message
                // that was given up on; only this job's own answer counts.
                if (!finished(*current)) continue;
                answer = current->result;
                if (answer) message.data = current->message.data;
                message.error = current->message.error;
                break;
            }
            if (woken == WAIT_OBJECT_0 + 1) {
                MSG ignored;
                PeekMessageA(&ignored, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
                continue;
            }
            break;  // timed out: the courier finishes the message on its own
        }
        return answer;
    }
};

namespace {

// A window that belongs to another thread (the game's) is shown and moved
// without waiting for that thread: a synchronous ShowWindow or SetWindowPos
// would block on a hung game just as SendMessageA does.
bool ownedByOtherThread(HWND hwnd) {
    return GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId();
}

struct EnumContext {
    const std::function<bool(WindowHandle)>* visit;
};

BOOL CALLBACK enumChildProc(HWND child, LPARAM context) {
    auto* ctx = reinterpret_cast<EnumContext*>(context);
    // An exception must not unwind through user32; it ends the enumeration.
    bool goOn = false;
    engine::runContained("a child window visit", [&] { goOn = (*ctx->visit)(toHandle(child)); });
    return goOn ? TRUE : FALSE;
}

}  // namespace

Win32WindowManager::Win32WindowManager(unsigned timeoutMs)
    : timeoutMs_(timeoutMs), courier_(std::make_shared<Courier>()) {
    std::thread(Courier::run, courier_).detach();
}

Win32WindowManager::~Win32WindowManager() {
    {
        std::lock_guard<std::mutex> lock(courier_->mutex);
        courier_->stopping = true;
    }
    courier_->wake.notify_one();
}

namespace {

// A message that got no answer: a window that is gone answers as empty, one
// that is still there did not answer in time (the game is busy or hung).
bool stillThere(HWND hwnd) {
    return IsWindow(hwnd) != FALSE;
}

std::optional<LRESULT> deliver(Win32WindowManager::Courier& courier, Message& message,
                               unsigned timeoutMs) {
    if (message.hwnd == nullptr) return std::nullopt;
    if (!courier.inOtherProcess(message.hwnd)) return sendNow(message, timeoutMs);
    return courier.send(message, timeoutMs);
}

// The length, asked on every turn, is sent from this thread: the hand-over to
// the courier and back costs more than the message itself. A wide
// WM_GETTEXTLENGTH keeps to its time limit under Wine too; a window that lets
// it pass is watched by the courier from then on. Whether a window that did
// not answer is gone comes with the failed send's error code, so an answered
// or refused request needs no second one; only while the courier still waits
// for an earlier answer (nothing was sent) is the window asked about.
console::TextLength measure(Win32WindowManager::Courier& courier, HWND hwnd, unsigned timeoutMs) {
    if (courier.inOtherProcess(hwnd) && courier.busy()) {
        if (stillThere(hwnd)) return {};
        return {0, true};
    }
    Message message{hwnd, WM_GETTEXTLENGTH, 0, 0, {}, false};
    if (const std::optional<LRESULT> length = sendNow(message, timeoutMs))
        return {*length < 0 ? 0 : static_cast<long>(*length)};
    if (message.error == ERROR_INVALID_WINDOW_HANDLE || !stillThere(hwnd)) return {0, true};
    if (message.error == ERROR_ACCESS_DENIED) return {std::nullopt, false, true};
    if (courier.inOtherProcess(hwnd)) courier.watch(hwnd);
    return {};
}

}  // namespace

WindowHandle Win32WindowManager::findWindow(const std::optional<std::string>& windowClass,
                                            const std::optional<std::string>& title) {
    return toHandle(FindWindowA(windowClass ? windowClass->c_str() : nullptr,
                                title ? title->c_str() : nullptr));
}

WindowHandle Win32WindowManager::relative(WindowHandle window, console::Relation relation) {
    if (window == 0) return 0;
    UINT command = relation == console::Relation::FirstChild ? GW_CHILD : GW_HWNDNEXT;
    return toHandle(GetWindow(toHwnd(window), command));
}

void Win32WindowManager::enumChildren(WindowHandle parent,
                                      const std::function<bool(WindowHandle)>& visit) {
    if (parent == 0) return;
    EnumContext context{&visit};
    EnumChildWindows(toHwnd(parent), enumChildProc, reinterpret_cast<LPARAM>(&context));
}

// GetWindowTextA on a window of another process does not send WM_GETTEXT: the
// window manager answers from the caption it keeps for every window, so a hung
// game cannot block this call (on Windows and under Wine alike). Only windows
// of Varnok's own process get the message, and those never hang on it.
std::string Win32WindowManager::caption(WindowHandle window, int bufferSize) {
    if (window == 0 || bufferSize <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(bufferSize), '\0');
    int copied = GetWindowTextA(toHwnd(window), buffer.data(), bufferSize);
    if (copied <= 0) return {};
    if (copied > bufferSize - 1) copied = bufferSize - 1;
    return std::string(buffer.data(), static_cast<size_t>(copied));
}

namespace {
// A game run as administrator: the window system refuses to pass a message
// on from a program that is not, with an access-denied error.
console::Delivery outcome(Win32WindowManager::Courier& courier, Message& message,
                          unsigned timeoutMs) {
    if (deliver(courier, message, timeoutMs)) return console::Delivery::Delivered;
    // A window that went away may fail the send with any error.
    return message.error == ERROR_ACCESS_DENIED && stillThere(message.hwnd)
               ? console::Delivery::Refused
               : console::Delivery::NoAnswer;
}
}  // namespace

console::Delivery Win32WindowManager::setText(WindowHandle window, const std::string& text) {
    std::vector<unsigned char> bytes = console::TextToBytes(text);
    Message message{toHwnd(window), WM_SETTEXT, 0, 0, {bytes.begin(), bytes.end()}, true};
    return outcome(*courier_, message, timeoutMs_);
}

console::Delivery Win32WindowManager::sendChar(WindowHandle window, unsigned char code,
                                               long keyData) {
    Message message{toHwnd(window), WM_CHAR, code, static_cast<LPARAM>(keyData), {}, false};
    return outcome(*courier_, message, timeoutMs_);
}

console::TextLength Win32WindowManager::measureText(WindowHandle window) {
    if (window == 0) return {0};
    return measure(*courier_, toHwnd(window), timeoutMs_);
}

std::optional<std::string> Win32WindowManager::text(WindowHandle window, long bufferSize) {
    if (window == 0 || bufferSize <= 0) return std::string();
    Message message{toHwnd(window),
                    WM_GETTEXT,
                    static_cast<WPARAM>(bufferSize),
                    0,
                    std::vector<char>(static_cast<size_t>(bufferSize), '\0'),
                    true};
    auto copied = deliver(*courier_, message, timeoutMs_);
    if (!copied) {
        if (stillThere(message.hwnd)) return std::nullopt;
        return std::string();
    }
    if (*copied <= 0) return std::string();
    long count = static_cast<long>(*copied);
    if (count > bufferSize - 1) count = bufferSize - 1;
    return std::string(message.data.data(), static_cast<size_t>(count));
}

void Win32WindowManager::show(WindowHandle window, console::ShowCommand command) {
    if (window == 0) return;
    HWND hwnd = toHwnd(window);
    int show = command == console::ShowCommand::Show ? SW_SHOW : SW_HIDE;
    if (ownedByOtherThread(hwnd))
        ShowWindowAsync(hwnd, show);
    else
        ShowWindow(hwnd, show);
}

void Win32WindowManager::reposition(WindowHandle window, int x, int y, int width, int height,
                                    unsigned flags) {
    if (window == 0) return;
    HWND hwnd = toHwnd(window);
    if (ownedByOtherThread(hwnd)) flags |= SWP_ASYNCWINDOWPOS;
    SetWindowPos(hwnd, nullptr, x, y, width, height, flags);
}

namespace {

struct MainWindowSearch {
    DWORD process;
    HWND found;
};

// EnumWindows goes through the top-level windows from the top of the z-order
// down, without a message to any of them.
BOOL CALLBACK mainWindowProc(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<MainWindowSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window) ||
        GetWindow(window, GW_OWNER) != nullptr)
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

WindowHandle Win32WindowManager::mainWindowOf(std::uint32_t process) {
    if (process == 0) return 0;
    MainWindowSearch search{process, nullptr};
    EnumWindows(mainWindowProc, reinterpret_cast<LPARAM>(&search));
    return toHandle(search.found);
}

}  // namespace varnok::platform::win32
