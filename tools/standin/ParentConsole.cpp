#include "ParentConsole.h"

namespace standin {

ParentConsole::~ParentConsole() {
    if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
}

bool ParentConsole::attach(DWORD& flushed) {
    flushed = 0;
    // Wine hands a program started without console flags its parent's
    // console at once, and AttachConsole then fails as for one attached
    // already: the game goes on with the console it has.
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED)
        return false;
    input_ = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
    if (input_ == INVALID_HANDLE_VALUE) return false;
    GetNumberOfConsoleInputEvents(input_, &flushed);
    FlushConsoleInputBuffer(input_);
    return true;
}

ParentConsole::Frame ParentConsole::read() {
    Frame frame;
    DWORD waiting = 0;
    if (!attached() || !GetNumberOfConsoleInputEvents(input_, &waiting) || waiting == 0)
        return frame;
    INPUT_RECORD records[kInputRecords];
    DWORD count = 0;
    if (waiting >= kInputRecords && ReadConsoleInputA(input_, records, 1, &count))
        frame.lost.overflow = count;
    if (!ReadConsoleInputA(input_, records, kInputRecords, &count)) count = 0;
    // What came in since the read goes with the flush. (Records written
    // between this count and the flush go uncounted: a window of a few
    // microseconds, where the read-to-flush window is the game's whole loop.)
    GetNumberOfConsoleInputEvents(input_, &frame.lost.flushed);
    FlushConsoleInputBuffer(input_);

    for (DWORD i = 0; i < count; ++i) {
        if (records[i].EventType != KEY_EVENT || !records[i].Event.KeyEvent.bKeyDown) continue;
        const KEY_EVENT_RECORD& key = records[i].Event.KeyEvent;
        switch (line_.press(key.wVirtualKeyCode, key.uChar.AsciiChar)) {
            case ConsoleLine::Outcome::enter:
                frame.line = line_.take();
                frame.lost.afterEnter = count - i - 1;
                return frame;
            case ConsoleLine::Outcome::editing:
                frame.editingKeys.push_back(editingKeyName(key.wVirtualKeyCode));
                break;
            case ConsoleLine::Outcome::dropped:
                frame.lost.overflow += 1;
                break;
            default:
                break;
        }
    }
    return frame;
}

}  // namespace standin
