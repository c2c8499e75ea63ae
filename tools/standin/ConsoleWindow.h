#pragma once
// The game's console window ("JAMP WinConsole"): a 600x450 popup centred on
// the screen, hidden unless asked for; closing it only hides it. Children in
// creation order (also the z-order, top first): input line (edit, id 101),
// "Copy" (id 1), "Clear" (id 3), "Quit" (id 2), output pane (edit, id 100).
// After a fatal error the input line is gone and an error box (static, id 10)
// follows the pane.

#include <windows.h>

#include <string>

#include "InputHistory.h"

namespace standin {

inline constexpr int kInputId = 101;
inline constexpr int kCopyId = 1;
inline constexpr int kClearId = 3;
inline constexpr int kQuitId = 2;
inline constexpr int kPaneId = 100;
inline constexpr int kErrorBoxId = 10;
// The longest line the input line hands over on Enter.
inline constexpr int kLongestInput = 1023;

// The text of one of the console's windows, at most `limit` characters.
std::string windowText(HWND window, int limit);

// What the console window's user does, for the game to act on.
class ConsoleEvents {
  public:
    virtual ~ConsoleEvents() = default;
    // Enter (WM_CHAR 13) in the input line, which is already empty again.
    // `overran` tells that the line overran the game's history buffer.
    virtual void lineEntered(const std::string& line, bool overran) = 0;
    virtual void copyPressed() = 0;
    virtual void clearPressed() = 0;
    virtual void quitPressed() = 0;
};

class ConsoleWindow {
  public:
    explicit ConsoleWindow(ConsoleEvents& events) : events_(events) {}
    ~ConsoleWindow() { destroy(); }
    ConsoleWindow(const ConsoleWindow&) = delete;
    ConsoleWindow& operator=(const ConsoleWindow&) = delete;

    static bool registerClass(HINSTANCE instance);

    bool create(HINSTANCE instance, bool shown);
    void destroy();
    void show(bool shown);
    // Places the window's top left corner; its size stays the game's.
    void moveTo(int left, int top);
    // The fatal-error layout: the input line destroyed, the error box added, the window shown.
    void showFatalError(const std::string& message);

    HWND window() const { return window_; }
    HWND input() const { return input_; }
    HWND pane() const { return pane_; }

  private:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK inputProc(HWND, UINT, WPARAM, LPARAM);
    static ConsoleWindow* owner(HWND window);
    void enter();

    ConsoleEvents& events_;
    InputHistory history_;
    HINSTANCE instance_ = nullptr;
    HWND window_ = nullptr;
    HWND input_ = nullptr;
    HWND pane_ = nullptr;
    HWND errorBox_ = nullptr;
    WNDPROC editProc_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace standin
