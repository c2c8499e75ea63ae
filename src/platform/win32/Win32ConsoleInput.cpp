#include "platform/win32/Win32ConsoleInput.h"

#include <vector>

namespace varnok::platform::win32 {

namespace {

INPUT_RECORD keyDown(WORD virtualKey, char character) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = TRUE;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = virtualKey;
    record.Event.KeyEvent.uChar.AsciiChar = character;
    return record;
}

}  // namespace

Win32ConsoleInput::~Win32ConsoleInput() {
    close();
}

bool Win32ConsoleInput::open() {
    if (input_ != INVALID_HANDLE_VALUE) return true;
    input_ = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    return input_ != INVALID_HANDLE_VALUE;
}

void Win32ConsoleInput::close() {
    if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
    input_ = INVALID_HANDLE_VALUE;
}

std::optional<std::size_t> Win32ConsoleInput::waiting() {
    DWORD count = 0;
    if (!open()) return std::nullopt;
    if (GetNumberOfConsoleInputEvents(input_, &count)) return count;
    // A handle of a console that is gone: opened anew next time.
    close();
    return std::nullopt;
}

bool Win32ConsoleInput::write(std::string_view line) {
    if (!open()) return false;
    std::vector<INPUT_RECORD> records;
    records.reserve(line.size() + 1);
    // Virtual-key code 0: the game tells its editing keys by their code, and
    // the codes of END, HOME, LEFT, UP, RIGHT, DOWN are those of # $ % & ' (.
    for (char c : line) records.push_back(keyDown(0, c));
    records.push_back(keyDown(VK_RETURN, '\r'));
    DWORD written = 0;
    if (!WriteConsoleInputA(input_, records.data(), static_cast<DWORD>(records.size()), &written)) {
        close();
        return false;
    }
    return written == records.size();
}

}  // namespace varnok::platform::win32
