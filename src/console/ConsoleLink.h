#pragma once
// The link to the game's console window: finding the console, its output pane
// and the game's main window, typing command lines into the console's input
// line and reading the output pane. The console found last is kept, so a turn
// does not walk every window of the desktop: while its output pane answers the
// turn's length request, that answer vouches for it and nothing else is asked;
// otherwise (no pane, or a game that does not answer) one caption read checks
// it. A pane found gone drops the console at once, and it is searched for
// afresh.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/CommandLine.h"
#include "console/FloodGuard.h"
#include "ports/Clock.h"
#include "ports/WindowManager.h"

namespace varnok::console {

inline constexpr const char* kConsoleTitle = "Jedi Knight Academy MP Console";
// The window class the game registers for its console.
inline constexpr const char* kConsoleClass = "JAMP WinConsole";
// The game's main window class in Windows-1252: the registered sign is byte 0xAE.
inline constexpr const char* kGameWindowClass = "Jedi Knight\xAE: Jedi Academy (MP)";
// The most characters a typed line may hold: the game copies each line into a
// 256-byte buffer, and a longer one overruns it.
inline constexpr std::size_t kMostTypedCharacters = 255;
// What a read of an empty, vanished or zero window gives.
inline constexpr const char* kNoTextSentinel = ">No text for this class<";

class ConsoleLink {
  public:
    // With a clock, chat lines keep to the server's flood guard.
    explicit ConsoleLink(WindowManager& windows, engine::Clock* clock = nullptr)
        : windows_(windows), clock_(clock) {}

    // The console by its fixed title, any class.
    WindowHandle FindConsole();
    // The console by the configured class and title; an empty class matches any class.
    WindowHandle findConfiguredConsole(const std::string& windowClass, const std::string& title);
    // The fifth child from the top of the console's z-order; 0 when there are fewer.
    WindowHandle FindOutputPane(WindowHandle console);
    // The kept console is no longer vouched for (its game's process ended):
    // the next lookup checks it.
    void doubtKept() { vouched_ = false; }
    // True once, after a length request found the kept console's pane gone:
    // the console closed (or lost its pane) and is no longer kept.
    bool takeLostConsole();
    // The game's main window by its class; 0 when the game is not running.
    WindowHandle findGameWindow();

    // Types `command` into the console's input line and presses Enter; drops
    // it silently when there is no console or no suitable child. Every line
    // typed passes here: the values from outside in it are made harmless (see
    // CommandLine), anything from its first CR or LF on is never typed, and it
    // is cut to at most kMostTypedCharacters at a character boundary. A chat
    // line waits first until the server will take it (a pause: the clock's
    // watch reads the console meanwhile).
    void SendConsoleCommand(const CommandLine& command);

    // A complete console line as read, handed on before it is examined: the
    // player's own chat and the echo of Varnok's says, for the flood guard.
    void heard(std::string_view line, std::string_view playerName);
    // Types once more each say the server dropped (given up on when it was
    // not printed back in time), keeping to the flood guard.
    void resendDropped();
    // When the oldest say not yet printed back is given up on, if any; when
    // that is past and the game owes an answer, when to ask it again.
    std::optional<FloodGuard::TimePoint> nextEchoDeadline() const { return flood_.nextDeadline(); }
    // An echo is overdue and the game has not answered at once since: one
    // length request of the output pane asks whether it runs again. Made
    // before the reading that is to decide on the say.
    void askIfGameRuns();
    const FloodGuard& floodGuard() const { return flood_; }

    // The game refused the messages of the console found last: it runs as
    // administrator and Varnok does not. A console found anew is tried again.
    bool refused() const { return refused_; }

    // The window's whole text, or the sentinel when it reports none; nothing
    // when the window did not answer in time (no reading at all).
    std::optional<std::string> ReadWindowText(WindowHandle window);
    // The output pane's whole text after it measured `length` characters: read
    // with room for two bytes a character, so that a double-byte code page
    // loses none of its newest text, and with room for text printed since it
    // was measured. Empty for an empty or vanished pane; nothing when it did
    // not answer in time.
    std::optional<std::string> ReadPaneText(WindowHandle pane, long length);
    // The window's text length, 0 for an empty, vanished or zero window;
    // nothing when it did not answer in time (no measurement at all). For the
    // kept console's pane the answer also vouches for the console, or drops it.
    std::optional<long> ReadTextLength(WindowHandle window);

    WindowManager& windows() { return windows_; }

    // Every how many searches by title alone read every caption on the desktop.
    static constexpr int kFullSearchEvery = 5;

  private:
    // Delivers the pending command to an input line with an empty caption and
    // answers whether the enumeration goes on.
    bool ConsoleChildProc(WindowHandle child);

    // The kept console while it still has `title`, else the first window the
    // search finds with `title` (and the class, when one is given).
    WindowHandle keptOrFound(const std::string& windowClass, const std::string& title);
    // A window of `title` and any class. The window system answers a search
    // by class from its class table, but one by title alone only by reading
    // the caption of every top-level window: that full search runs only every
    // kFullSearchEvery-th time (and right after a console was lost), the
    // others look for the game console's own class.
    WindowHandle searchByTitle(const std::string& title);

    // Keeps `console` (0: none) for the next lookups.
    void keep(WindowHandle console, const std::string& title);
    // Types a line into the console; `again`: a dropped say's second try.
    void type(const std::string& line, bool again);
    // Until the server will take a chat line, or for kMostSpacingWait at most
    // (the player's own chat, a line a second, could hold it back forever).
    // `again`: for the second try of a dropped say, which nothing overtakes.
    void waitForServer(bool again);
    // Notes a refused message: nothing Varnok types reaches this game.
    void note(Delivery delivery);

    // The longest a chat line waits for the flood guard.
    static constexpr std::chrono::milliseconds kMostSpacingWait{8000};

    WindowManager& windows_;
    engine::Clock* clock_;
    FloodGuard flood_;
    bool refused_ = false;
    std::string PendingCommand;
    WindowHandle kept_ = 0;
    std::string keptTitle_;
    WindowHandle pane_ = 0;    // the output pane found last
    WindowHandle paneOf_ = 0;  // the console it was found in
    bool vouched_ = false;     // the kept console's pane answered its latest length request
    bool lost_ = false;        // a length request found the kept console's pane gone
    int searchesToFull_ = 0;   // class searches left before the next full one
};

}  // namespace varnok::console
