#pragma once
// An in-memory desktop for the window-manager port: top-level windows with
// classes, captions, texts and z-ordered children, and a scriptable game
// console whose input line runs the lines typed into it.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ports/WindowManager.h"

namespace varnok::fakes {

using console::WindowHandle;

struct DesktopWindow {
    WindowHandle handle = 0;
    WindowHandle parent = 0;
    std::string windowClass;
    std::uint32_t process = 0;  // the process the window belongs to
    WindowHandle owner = 0;     // the owner window of a top-level window (0: none)
    std::string caption;        // what GetWindowTextA reads
    std::string text;           // what WM_GETTEXT reads (the caption for plain windows)
    bool visible = true;
    bool hung = false;              // answers no message (every send times out)
    bool refuses = false;           // the window system passes no message on (refused)
    bool hangsAfterLength = false;  // answers its length, then times out on the text
    bool countsCharacters = false;  // measures double-byte characters as one
    std::function<void(DesktopWindow&)> beforeRead;  // runs just before WM_GETTEXT answers
    std::vector<WindowHandle> children;              // top of the z-order first
    std::vector<unsigned char> charsReceived;
    std::function<void(DesktopWindow&, unsigned char)> onChar;
};

class FakeDesktop : public console::WindowManager {
  public:
    WindowHandle addTopLevel(const std::string& windowClass, const std::string& title,
                             std::uint32_t process = 0);
    WindowHandle addChild(WindowHandle parent, const std::string& windowClass,
                          const std::string& caption);
    void remove(WindowHandle window);  // a window and its children vanish
    DesktopWindow& window(WindowHandle handle) { return windows_.at(handle); }
    bool exists(WindowHandle handle) const { return windows_.count(handle) != 0; }

    // Counts of calls, for tests that check nothing was cached or sent.
    int findCalls = 0;
    int lengthCalls = 0;
    int setTextCalls = 0;
    int captionCalls = 0;

    // WindowManager
    WindowHandle findWindow(const std::optional<std::string>& windowClass,
                            const std::optional<std::string>& title) override;
    WindowHandle relative(WindowHandle window, console::Relation relation) override;
    void enumChildren(WindowHandle parent, const std::function<bool(WindowHandle)>& visit) override;
    std::string caption(WindowHandle window, int bufferSize) override;
    console::Delivery setText(WindowHandle window, const std::string& text) override;
    console::Delivery sendChar(WindowHandle window, unsigned char code, long keyData) override;
    console::TextLength measureText(WindowHandle window) override;
    std::optional<std::string> text(WindowHandle window, long bufferSize) override;
    void show(WindowHandle window, console::ShowCommand command) override;
    void reposition(WindowHandle window, int x, int y, int width, int height,
                    unsigned flags) override;
    WindowHandle mainWindowOf(std::uint32_t process) override;

    struct Reposition {
        WindowHandle window;
        int x, y, width, height;
        unsigned flags;
    };
    std::vector<Reposition> repositions;

  private:
    DesktopWindow* find(WindowHandle handle);
    std::map<WindowHandle, DesktopWindow> windows_;
    std::vector<WindowHandle> topLevel_;  // top of the z-order first
    WindowHandle next_ = 0x100;
};

// The game as Varnok sees it: the console window (input line, three captioned
// buttons, output pane) and the game's main window. Lines typed into the input
// line with a carriage return are recorded and run like the game's console.
class FakeGame {
  public:
    explicit FakeGame(FakeDesktop& desktop, std::string playerName = "Padawan");

    // The game's process, which its windows belong to.
    static constexpr std::uint32_t kProcess = 0x1a2b;

    void openConsole();
    void closeConsole();
    bool consoleOpen() const { return console_ != 0; }

    // Prints into the output pane as the game does: colour codes dropped, and
    // past 32 767 characters since the last reset the print replaces the pane.
    // While the cvar "logfile" is on (and logPath given) the print also goes
    // to the log, as the game made it: colour codes kept, "\n" line ends;
    // the first print after "logfile" became non-zero opens (empties) the log
    // and writes "logfile opened on ..." first.
    void print(const std::string& text, bool toLog = true);
    // The local player's chat line, "NAME: TEXT".
    void chat(const std::string& message);
    // The console's Clear button.
    void clearPane();
    std::string& pane();

    // Every line typed into the console, in order.
    std::vector<std::string> commands;
    // Console variables the game answers when one is typed alone; "logfile"
    // is also set by "logfile N".
    std::map<std::string, std::string> cvars;
    // The game's log file; empty: the game keeps none.
    std::filesystem::path logPath;
    std::string playerName;
    // Whether typed lines also run (each is shown after "]", "name" prints the
    // name line, "say" the chat line); tests that count lengths switch it off.
    bool runsCommands = true;
    // Whether the server prints a "say" back as the player's chat line even
    // when typed lines do not run: the echo that tells Varnok it got through.
    bool echoesSays = true;

    WindowHandle console() const { return console_; }
    WindowHandle inputLine() const { return input_; }
    WindowHandle outputPane() const { return pane_; }
    WindowHandle gameWindow() const { return game_; }

  private:
    void run(const std::string& line);
    void echoSay(std::string text);
    void log(const std::string& text);
    bool logOpen_ = false;

    static constexpr long kResetCount = 0x7fff;

    FakeDesktop& desktop_;
    WindowHandle console_ = 0, input_ = 0, pane_ = 0, game_ = 0;
    long printed_ = 0;  // characters printed since the pane's last reset
};

}  // namespace varnok::fakes
