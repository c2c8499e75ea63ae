// The toolkit's input box, answered from another thread as a user would.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "Win32TestSupport.h"

namespace {

using win32test::textOf;

struct Seen {
    std::string proposed;
    bool selectedAll = false;
    bool buttonsNamed = false;
};

void answerInputBox(const char* title, const char* typed, int button, Seen* seen) {
    HWND dialog = win32test::waitForWindow("#32770", title);
    if (dialog == nullptr) return;
    Sleep(50);
    HWND edit = FindWindowExA(dialog, nullptr, "Edit", nullptr);
    seen->proposed = textOf(edit);
    seen->buttonsNamed = textOf(GetDlgItem(dialog, IDOK)) == "OK" &&
                         textOf(GetDlgItem(dialog, IDCANCEL)) == "Cancel";
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    seen->selectedAll = start == 0 && end == seen->proposed.size();
    if (typed != nullptr) SetWindowTextA(edit, typed);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

TEST(Win32Dialogs, TheInputBoxProposesSelectedTextAndAnswersNothingOnCancel) {
    auto& toolkit = win32test::sharedToolkit();
    Seen seen;
    std::thread user(answerInputBox, "Load a playlist", "mine.lst", IDOK, &seen);
    std::string answer =
        toolkit.dialogs().inputBox("Name of the playlist:", "Load a playlist", "playlist.lst");
    user.join();
    EXPECT_EQ(seen.proposed, "playlist.lst");
    EXPECT_TRUE(seen.selectedAll);
    EXPECT_EQ(answer, "mine.lst");
    EXPECT_TRUE(seen.buttonsNamed);

    std::thread cancelling(answerInputBox, "Cancelled box", "typed anyway", IDCANCEL, &seen);
    answer = toolkit.dialogs().inputBox("Prompt", "Cancelled box", "something");
    cancelling.join();
    EXPECT_TRUE(answer.empty());
}

}  // namespace
