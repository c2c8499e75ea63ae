#include "ConsolePane.h"

#include "ConsoleWindow.h"
#include "GameText.h"

namespace standin {

void ConsolePane::attach(HWND pane) {
    pane_ = pane;
    count_.restart();
}

void ConsolePane::print(const std::string& printed) {
    std::string text = toPaneText(printed);
    records_.printed(text);
    if (!pane_) return;
    if (count_.add(static_cast<unsigned long>(text.size()))) SendMessageA(pane_, EM_SETSEL, 0, -1);
    SendMessageA(pane_, EM_LINESCROLL, 0, 0xffff);
    SendMessageA(pane_, EM_SCROLLCARET, 0, 0);
    replaceSelection(text);
}

void ConsolePane::replaceSelection(const std::string& paneText) {
    DWORD start = 0, end = 0;
    SendMessageA(pane_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    long before = GetWindowTextLengthA(pane_);
    SendMessageA(pane_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(paneText.c_str()));
    long expected = before - static_cast<long>(end - start) + static_cast<long>(paneText.size());
    if (GetWindowTextLengthA(pane_) == expected) return;
    // An edit control that refused the replacement: splice it in by hand, the
    // caret after the inserted text as a replacement leaves it.
    std::string whole = windowText(pane_, GetWindowTextLengthA(pane_));
    if (start > whole.size()) start = static_cast<DWORD>(whole.size());
    if (end > whole.size()) end = static_cast<DWORD>(whole.size());
    whole.replace(start, end - start, paneText);
    SetWindowTextA(pane_, whole.c_str());
    WPARAM caret = start + paneText.size();
    SendMessageA(pane_, EM_SETSEL, caret, caret);
}

void ConsolePane::copy() {
    if (!pane_) return;
    SendMessageA(pane_, EM_SETSEL, 0, -1);
    SendMessageA(pane_, WM_COPY, 0, 0);
}

void ConsolePane::clear() {
    if (!pane_) return;
    SendMessageA(pane_, EM_SETSEL, 0, -1);
    replaceSelection("");
}

void ConsolePane::fill(long count) {
    if (!pane_) return;
    if (count > static_cast<long>(kResetCount)) count = kResetCount;
    if (count < 0) count = 0;
    long length = GetWindowTextLengthA(pane_);
    if (count < length) {
        SetWindowTextA(pane_, "");
        length = 0;
    }
    SendMessageA(pane_, EM_SETSEL, length, length);
    std::string filler = fillerText(count - length);
    records_.printed(filler);
    replaceSelection(filler);
    count_.restart(static_cast<unsigned long>(count));
}

}  // namespace standin
