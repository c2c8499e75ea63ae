#pragma once
// The stand-in game: its main window, its console window (ConsoleWindow.h), the
// hidden control window through which tests and the demo drive it, and the
// game's frame loop. One instance per process, on the UI thread.
//
// It behaves as the game's real console does, as far as another program can
// observe it:
// - the console window's class, title, style, size, children, ids and
//   captions, hidden unless --show-console; closing it hides it; the fatal-error
//   layout (ConsoleWindow.h);
// - every print converted by the print rule (line ends, colour codes ^0-^7
//   dropped, only the last 16383 characters of a long print), inserted at the
//   pane's selection, the whole pane replaced once the characters printed since
//   the last reset pass 0x7fff; Copy selects all and leaves it selected, Clear
//   empties the pane without touching the count (PaneText.h, ConsolePane.h);
// - only WM_CHAR 13 is Enter: the line (at most 1023 characters) is queued, the
//   input emptied and "]" + line printed at once; '&' and '(' recall history; a
//   line of 256 characters or more overruns the game's history buffer and is
//   recorded as a fault of the caller (ConsoleWindow.h, InputHistory.h);
// - queued lines run at the end of a frame (11 ms); other programs' messages
//   are handled only between frames and not at all during a stall or a map
//   change; of the lines taken in one pump only the first loses a leading "/"
//   (GameLoop.cpp);
// - the command buffer's split at "\n", "\r" and ";" outside quotes, "//"
//   comments, the 1023-character cut (CommandBuffer.h); echo's trailing blank
//   after each word, "clear" leaving the pane alone, "Unknown command" for
//   server commands when not connected (Commands.cpp);
// - the local cvars typed alone answering `"<cvar>" is:"<value>^7"
//   default:"<default>^7"` (name, se_language, fs_basepath, fs_game,
//   fs_homepath, logfile), se_language and logfile settable, every fs_* one
//   write protected; nothing of them goes to the server (Commands.cpp);
// - the server behind the network: reliable client commands (chat, the
//   rename's userinfo, any command the client does not know) sent in packets
//   every 33 ms, a one-way delay of half the round trip plus a jitter drawn
//   from a fixed seed, packets in order, a server clock in whole frames of
//   1000 / sv_fps ms, and the flood guard that ignores a command arriving
//   within the flood window of the previous one (every command restarts it,
//   so of a packet's commands only the first runs) (ServerLink.h); the
//   player's own chat (the "chat" verb too) comes back as the game prints it:
//   each "%" a ".", the tokenizer's single blanks, no quotes, "//" ending it,
//   the whole line cut to 149 bytes (GameText.h);
// - event lines built from the phrases of the player's language, the names in
//   their places: entering, renaming, a duel, the time, kill and (English)
//   win limits, kill messages in parts (GameText.h, ControlChannel.cpp);
//   "Loading dll file ..." at a map change, never "finished R_Init";
// - the log file qconsole.log under <fs_homepath>\<fs_game, or base>, opened
//   by the next print once the cvar "logfile" is on, with every print as the
//   game made it but the console window's "]" echo, buffered at 1 and written
//   at once at 2 (GameLog.h).
//
// With --client eternaljk or --client openjk it plays a community client
// instead (Client.h), as far as another program can observe it:
// - no console window at all; the main window is SDL's (class "SDL_app",
//   title "EternalJK" or "OpenJK");
// - EternalJK joins its parent's console at start, empties its input buffer
//   once, then reads it once a frame: 256 records or more waiting lose the
//   oldest, at most 256 are read, then the buffer is emptied; key-down records
//   only, text from AsciiChar, Enter ends the line and the read, UP DOWN LEFT
//   RIGHT HOME END TAB BACK act by their virtual-key code whatever character
//   they carry (ParentConsole.h, ConsoleLine.h). Each line is printed back as
//   typed (no "]"; into the log too), loses a leading "/" and runs. Records
//   lost that way are "lost <n> records: ..." faults, editing keys "key <name>"
//   faults. OpenJK reads no console input;
// - a cvar typed alone answers `^9Cvar ^7<cvar> = ^9"^7<value>^9"^7, ^7default
//   = ^9"^7<default>^9"^7`; a typed "say" goes to the server rebuilt word by
//   word ("%H%" replaced, one blank between words and one at the end); chat
//   lines begin with "*"; a map change prints no "Loading dll file" lines;
// - "+set logfile 2" on the command line opens the log at start, before any
//   print: EternalJK's under its home (its own folder, or --basepath) in
//   "EternalJK" (or the fs_game folder), OpenJK's under
//   <Documents>\My Games\OpenJK\<fs_game, or base>, each line after a
//   "YYYY-MM-DD HH:MM:SS " stamp;
// - the control commands that act on the console window answer 0;
//   --pane-log gets every print (in the pane's form), --log every typed line.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include <map>

#include "Client.h"
#include "CommandBuffer.h"
#include "ConsolePane.h"
#include "ConsoleWindow.h"
#include "GameLog.h"
#include "GameText.h"
#include "ParentConsole.h"
#include "Records.h"
#include "ServerLink.h"

namespace standin {

// The control window's timer that runs the next steps of the script.
inline constexpr UINT_PTR kScriptTimer = 1;

struct Options {
    Client client = Client::retail;
    std::string playerName = "Padawan";
    RecordPaths records;
    std::string scriptPath;  // timed control commands to run after start
    bool createConsole = true;
    bool showConsole = false;
    bool showGame = true;
    bool connected = true;
    NetworkSettings network;
    std::uint64_t frameMs = 11;
    // fs_basepath; empty: the working folder (a community client: the program's folder)
    std::string basePath;
    std::string homePath;              // fs_homepath; empty: the client's default (Client.h)
    std::string modFolder;             // fs_game; empty: none (the log goes to "base")
    std::string language = "english";  // se_language
    std::string logfile = "0";         // the cvar "logfile" at start
    std::map<std::string, std::string> cvars;  // other cvars the command line set, by name
};

class StandIn : private ConsoleEvents {
  public:
    explicit StandIn(Options options);
    ~StandIn();
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    // Registers the window classes and creates the windows; false on failure.
    bool create(HINSTANCE instance);
    // The game's frame loop, until it quits; the process exit code.
    int run();

  private:
    // ConsoleEvents
    void lineEntered(const std::string& line, bool overran) override;
    void copyPressed() override { pane_.copy(); }
    void clearPressed() override { pane_.clear(); }
    void quitPressed() override { quitting_ = true; }

    static LRESULT CALLBACK controlProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK gameProc(HWND, UINT, WPARAM, LPARAM);

    // The frame loop's steps.
    std::uint64_t now() const;
    void pumpUntil(std::uint64_t deadline);
    void takeConsoleInput();
    void readParentConsole();
    void endFrame();
    void stall(std::uint64_t ms);

    // Commands.cpp: one command of the command buffer.
    void execute(const std::string& command);
    // A cvar of the game's own typed alone or with a value; false for another command.
    bool localCvar(const std::vector<std::string>& words);
    // A cvar typed alone, answered in the client's format.
    std::string cvarAnswer(const std::string& cvar, const std::string& value,
                           const std::string& defaultValue) const;
    // The player's chat as the client prints it (a community client adds "*").
    std::string chatPrint(ChatKind kind, const std::string& name, const std::string& text) const;
    // The player's "say", "say_team" or "tell" to the server; `words` as tokenized.
    void sendChat(const std::string& command, const std::vector<std::string>& words);
    // A reliable command to the server, which sends `reply` back when it takes it.
    void sendToServer(const std::string& command, const std::string& reply);
    void setPlayerName(const std::string& name);

    // ControlChannel.cpp
    bool runControl(const std::string& command);
    bool carryOut(const std::string& verb, const std::string& rest);
    void typeLines(const std::string& lines);
    void loadScript();
    void runScriptSteps();

    // One print of the game: to the pane and the log.
    void print(const std::string& text);
    // A line typed at a community client's console: recorded, printed back, queued.
    void consoleLineTyped(const std::string& line);
    void openConsole();
    void closeConsole();

    LARGE_INTEGER frequency_{};
    Options options_;
    Records records_;
    ConsoleWindow console_;
    ConsolePane pane_;
    CommandBuffer commands_;
    ServerLink server_;
    Phrases phrases_;
    std::string playerName_;
    std::string language_;
    std::string logfile_;
    GameLog log_;
    ParentConsole parentConsole_;
    std::string consoleInput_;  // lines entered since the last pump, each ending in "\n"
    HINSTANCE instance_ = nullptr;
    HWND control_ = nullptr;
    HWND game_ = nullptr;
    bool connected_;
    bool quitting_ = false;
    std::uint64_t stallMs_ = 0;
    std::vector<std::string> afterStall_;  // printed once a stall is over
    std::vector<std::string> script_;
    size_t scriptNext_ = 0;
};

}  // namespace standin
