#pragma once
// The engine: start-up of the console link and the main polling loop. Each turn
// yields to the window system, docks the player window when the main window
// moved, takes the kept console (searching for it while there is none) and
// hands over to the log tracking, whose length request also tells whether the
// console is still there.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "commands/CommandContext.h"
#include "console/ConsoleLink.h"
#include "engine/EngineState.h"
#include "engine/GameLanguage.h"
#include "engine/MainWindowControls.h"
#include "engine/TurnPace.h"
#include "ports/Clock.h"
#include "ports/Toolkit.h"
#include "ports/VersionRecord.h"
#include "ports/Wakeups.h"
#include "sysinfo/COpSysInfo.h"

namespace varnok::engine {

// Exactly what a turn needs.
struct EngineContext {
    ui::Toolkit& toolkit;
    Clock& clock;
    console::ConsoleLink& console;
    sysinfo::VersionSource& version;
    std::filesystem::path savesFolder;
    const commands::CommandContext& commands;
    MainWindowControls& host;
    // What else wakes the loop: the log's folder, the game's process.
    Wakeups& wakeups;
    // Read the console's pane only, never the game's log.
    bool paneOnly = false;
};

class Engine {
  public:
    explicit Engine(const EngineContext& context);
    ~Engine();

    // Start-up from the system description on: status line, replies on, the
    // first console lookup, "name", the "Saves" folder.
    void startUp();
    // One turn of the loop; true when it found new console text to handle.
    bool turn();
    const EngineContext& context() const { return ctx_; }

    // Turns until the program ends. A turn that found nothing new waits for
    // window input or the pace's interval instead of spinning a core.
    void run();

    // Yields to the window system; false when the program ended inside it, so
    // the turn stops at once.
    bool yieldToWindows();
    // Before the program ends: turns the game's log off again when Varnok
    // turned it on.
    void leaveGameAsFound();

    // The status-line forms.
    void showStartUpStatus();
    void showNotRunningStatus();
    void showPlayerStatus();
    // In place of the player: the game refuses Varnok's messages.
    void showRefusedStatus();

    // Sends the name query `command` and, at a console found or after an
    // engine load, the questions of the game's language and folders.
    void askName(const char* command, bool engineLoaded = false);

    EngineState state;
    TurnPace pace;
    GameLanguage language;
    // Called with every line examined, before its recognisers run: lets
    // checks follow the lines one by one. Empty in the program.
    std::function<void(const std::string&)> watchLines;
    std::unique_ptr<sysinfo::COpSysInfo> os;
    std::string buildText;

    // At or above this many characters the output pane counts as full.
    static constexpr std::int32_t kPaneLimit = 32700;
    // The most of one line the recognisers are handed (its end).
    static constexpr std::size_t kMaxNewText = 200;

  private:
    // Moves the player window against the main window when the main window
    // moved or was resized since the last docking.
    void dockPlayerWindow();
    // Sets the status line unless it reads so already: no repaint for nothing.
    void setStatus(const std::string& text);
    // The console by the class and title in the main window's hidden fields.
    console::WindowHandle findConsole();
    // The turn's console check and, with a console, its log tracking; true
    // when there was new text.
    bool watchConsole();
    // No console (any more): "Back to Game" hidden, the console's state reset,
    // the not-running status line.
    void forgetConsole();
    // What was known of the console, its log included, forgotten.
    void dropConsoleState();
    // The log tracking of a turn that found the console: pane upkeep,
    // listening, then each line heard in turn, and the second try of a say
    // the server dropped. True when there was new text.
    bool trackConsole();
    // Measures the output pane and reads what is new into state.heard. True
    // when there was new text. `inPause`: from a reply's pause, which yields
    // to no window and types nothing.
    bool listen(bool inPause);
    // The clock's watch during pauses: listening while there is a console.
    void listenDuringPause();
    // A line read: to the flood guard, then to be examined.
    void hear(std::string line);

    // LogListening.cpp: the game's log instead of the pane (LogEar.h).
    void decideLog();
    void lookForLog();
    void startReadingLog(const std::filesystem::path& path);
    bool listenToLog(bool inPause);
    void checkPaneWhileOnLog();
    // The wait after a quiet turn while the log is read: until the next thing due.
    unsigned waitWhileOnLog();
    // Pane lookup with its due clear, or "/name" (at most once a second)
    // while the name is unknown.
    void keepPaneAndName();
    // One complete console line: the engine-load hint, the change gate, then
    // the recognisers.
    void examineLine(const std::string& line);
    // A line past the change gate: event replies or the reply-on test, the
    // chat commands, and the name reader when the line's start is in newText.
    void handleNewText(bool startShown);
    // The "name" line: learns the name, rewrites the status line.
    void readName();
    // A line that answers a question about the game's language or folders.
    void readGameAnswer();
    // Sends "/clear" and marks the clear done.
    void sendClear();

    // Reading the log of a busy game: text that follows text within this
    // spell makes the next change wait up to kLogGatherMs to be read with more.
    static constexpr std::chrono::milliseconds kLogBusySpell{300};
    static constexpr unsigned kLogGatherMs = 250;

    EngineContext ctx_;
    std::optional<ui::Frame> dockedTo_;  // the main window's frame at the last docking
    std::optional<Clock::TimePoint> lastLogText_;  // when a turn last took text from the log
};

}  // namespace varnok::engine
