// The toolkit's modal dialogs: the common open-file dialog, an input box built
// from a dialog template in memory, and message boxes.

#include "platform/win32/SystemText.h"
#include "platform/win32/Win32Forms.h"

#include <commdlg.h>

#include <vector>

namespace varnok::platform::win32 {

namespace {

constexpr int kPromptId = 100;
constexpr int kAnswerId = 101;

// "Description|pattern|Description|pattern" -> the NUL-separated pairs that
// OPENFILENAME wants, ended by an empty string.
std::string toFilterPairs(const std::string& filter) {
    std::string pairs = filter;
    for (char& c : pairs)
        if (c == '|') c = '\0';
    pairs.push_back('\0');  // c_str() adds the second, final NUL
    return pairs;
}

// A dialog template in memory: DLGTEMPLATE and DLGITEMTEMPLATE records as the
// dialog manager reads them (WORD-aligned strings, DWORD-aligned items).
class DialogTemplate {
  public:
    DialogTemplate(DWORD style, short width, short height, const char* fontFace, WORD points) {
        addDword(style);
        addDword(0);  // extended style
        countAt_ = words_.size();
        words_.push_back(0);  // number of items, filled in as they are added
        addShort(0);
        addShort(0);
        addShort(width);
        addShort(height);
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the standard dialog class
        addString("");        // the title is set when the dialog starts
        words_.push_back(points);
        addString(fontFace);
    }

    void addItem(WORD atom, WORD id, DWORD style, short x, short y, short width, short height) {
        if (words_.size() % 2 != 0) words_.push_back(0);
        addDword(style | WS_CHILD | WS_VISIBLE);
        addDword(0);
        addShort(x);
        addShort(y);
        addShort(width);
        addShort(height);
        words_.push_back(id);
        words_.push_back(0xFFFF);  // a predefined class by its atom
        words_.push_back(atom);
        addString("");        // texts are set when the dialog starts
        words_.push_back(0);  // no creation data
        ++words_[countAt_];
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void addDword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void addShort(short value) { words_.push_back(static_cast<WORD>(value)); }
    void addString(const char* text) {
        for (const char* c = text; *c != '\0'; ++c) words_.push_back(static_cast<WORD>(*c));
        words_.push_back(0);
    }

    std::vector<WORD> words_;
    size_t countAt_ = 0;
};

struct InputBoxState {
    const std::string* prompt;
    const std::string* title;
    const std::string* proposed;
    std::string answer;
};

INT_PTR CALLBACK inputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            auto* state = reinterpret_cast<InputBoxState*>(lParam);
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            SetWindowTextA(dialog, state->title->c_str());
            SetDlgItemTextA(dialog, kPromptId, state->prompt->c_str());
            SetDlgItemTextA(dialog, IDOK, "OK");
            SetDlgItemTextA(dialog, IDCANCEL, "Cancel");
            HWND answer = GetDlgItem(dialog, kAnswerId);
            SendMessageA(answer, EM_SETLIMITTEXT, 0, 0);
            SetWindowTextA(answer, state->proposed->c_str());
            SendMessageA(answer, EM_SETSEL, 0, -1);
            SetFocus(answer);
            return FALSE;  // the focus has been placed
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                auto* state =
                    reinterpret_cast<InputBoxState*>(GetWindowLongPtrA(dialog, DWLP_USER));
                state->answer = windowText(GetDlgItem(dialog, kAnswerId));
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

// Our window that the user is working in, if any, owns the modal dialogs.
HWND activeOwner() {
    return GetActiveWindow();
}

class Win32Dialogs : public ui::Dialogs {
  public:
    explicit Win32Dialogs(ToolkitState& toolkit) : toolkit_(toolkit) {}

    std::optional<std::string> openFile(ui::Window& owner, const std::string& filter) override {
        // The wide dialog, so that the chosen path comes back through the
        // program's one text rule like every other path.
        const std::wstring pairs = toWide(toFilterPairs(filter));
        std::vector<wchar_t> file(MAX_PATH * 8, L'\0');
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = formHandle(owner);
        dialog.lpstrFilter = pairs.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = file.data();
        dialog.nMaxFile = static_cast<DWORD>(file.size());
        // OFN_NOCHANGEDIR: browsing must not move the program's current folder.
        dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                       OFN_NOCHANGEDIR;
        if (!GetOpenFileNameW(&dialog)) return std::nullopt;
        return fromWide(file.data());
    }

    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& proposed) override {
        // Dialog units; the prompt on the left with OK and Cancel beside it, the
        // answer underneath, as input boxes usually look.
        DialogTemplate layout(
            DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 246, 92,
            "MS Shell Dlg", 8);
        layout.addItem(0x0082, kPromptId, SS_LEFT | SS_NOPREFIX, 7, 7, 174, 56);
        layout.addItem(0x0080, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 189, 7, 50, 14);
        layout.addItem(0x0080, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 189, 25, 50, 14);
        layout.addItem(0x0081, kAnswerId, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 70, 232, 14);
        InputBoxState state{&prompt, &title, &proposed, {}};
        INT_PTR result = DialogBoxIndirectParamA(toolkit_.instance, layout.get(), activeOwner(),
                                                 inputBoxProc, reinterpret_cast<LPARAM>(&state));
        return result == IDOK ? state.answer : std::string();
    }

    void messageBox(const std::string& text, const std::string& title,
                    ui::MessageIcon icon) override {
        UINT style = MB_OK;
        if (icon == ui::MessageIcon::Error) style |= MB_ICONERROR;
        if (icon == ui::MessageIcon::Information) style |= MB_ICONINFORMATION;
        MessageBoxA(activeOwner(), text.c_str(), title.c_str(), style);
    }

  private:
    ToolkitState& toolkit_;
};

}  // namespace

std::unique_ptr<ui::Dialogs> makeDialogs(ToolkitState& toolkit) {
    return std::make_unique<Win32Dialogs>(toolkit);
}

}  // namespace varnok::platform::win32
