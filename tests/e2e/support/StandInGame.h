#pragma once
// Drives the stand-in game from a test: starts it in a test folder, sends
// control commands (see tools/standin/ControlProtocol.h), reads its console
// pane (the console window is hidden, as the game's is, unless asked for), the
// transcript of every line typed into its console, the faults it recorded of
// its callers, its timing file and the game's own log file.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/Process.h"
#include "support/TempFolder.h"
#include "support/Windows.h"

namespace e2e {

struct StandInOptions {
    std::string playerName = "Padawan";
    bool openConsole = true;
    bool showConsole = false;
    bool hideGame = false;
    bool connected = true;
    int roundTripMs = 30;  // the least round trip; each packet's one-way delay adds jitter
    int jitterMs = 30;
    int seed = 1;        // of the jitter
    int svFps = 20;      // server frames a second
    int floodMs = 1000;  // the server's flood window; 0: no flood guard
    int frameMs = 11;
    std::string scriptPath;  // empty: no script
    std::string basePath;    // fs_basepath and fs_homepath; empty: the test folder
    std::string game;        // fs_game, the mod folder; empty: none
    std::string language;    // se_language; empty: the game's default (english)
    int logfile = 0;         // the cvar "logfile" at start
    // "eternaljk" or "openjk": a community client, which Varnok starts itself
    // with varnokArguments() (its console and log are Varnok's to set up);
    // empty: the retail game, which the test starts.
    std::string client;
};

using Transcript = std::vector<std::string>;

class StandInGame {
  public:
    // Starts the stand-in with its transcript in `folder`; check started().
    // A community client is only made ready: a copy of standin.exe in
    // `folder`, for Varnok to start (varnokArguments()), then awaitStart().
    explicit StandInGame(const TempFolder& folder, StandInOptions options = {});
    ~StandInGame();

    // Varnok's command line that starts the community client: "--game EXE ARGS...".
    const std::vector<std::string>& varnokArguments() const { return varnokArguments_; }
    // Waits for the community client Varnok started; false when it did not come.
    bool awaitStart();

    // True once the stand-in runs and its control window exists.
    bool started() const { return control_ != nullptr; }
    const std::string& startError() const { return error_; }
    ChildProcess& process() { return process_; }
    // The stand-in's process id, whoever started it.
    DWORD processId() const { return processId_; }
    // Whether the stand-in's process has ended.
    bool ended() const;

    // One control command; true when the stand-in carried it out.
    bool send(const std::string& command);
    bool print(const std::string& text) { return send("print " + text); }
    bool chat(const std::string& text) { return send("chat " + text); }
    bool other(const std::string& name, const std::string& text) {
        return send("other " + name + " " + text);
    }
    bool enter(const std::string& name = "") {
        return send(name.empty() ? "enter" : "enter " + name);
    }
    bool rename(const std::string& newName) { return send("rename " + newName); }
    bool setName(const std::string& name) { return send("setname " + name); }
    bool closeConsole() { return send("closeconsole"); }
    bool openConsole() { return send("openconsole"); }
    bool hideGame() { return send("hidegame"); }
    bool showGame() { return send("showgame"); }
    bool hang(int ms) { return send("hang " + std::to_string(ms)); }
    bool fill(long count) { return send("fill " + std::to_string(count)); }
    bool clearPane() { return send("clearpane"); }
    bool mapChange(int ms) { return send("mapchange " + std::to_string(ms)); }
    bool kill(const std::string& victim, const std::string& attacker = "") {
        return send("kill " + victim + (attacker.empty() ? "" : " " + attacker));
    }
    bool killedHerself(const std::string& victim) { return send("killedherself " + victim); }
    bool duel(const std::string& first, const std::string& second) {
        return send("duel " + first + " " + second);
    }
    bool timeLimit() { return send("timelimit"); }
    bool killLimit(const std::string& name) { return send("killlimit " + name); }
    bool winLimit(const std::string& name) { return send("winlimit " + name); }
    // The phrase of a token of the player's language ("PLENTER", "KILLED_SABER" ...).
    bool phrase(const std::string& token, const std::string& text) {
        return send("phrase " + token + " " + text);
    }
    // Sets the cvar "logfile" as a key bound to it would: nothing echoed or printed.
    bool setLogfile(int value) { return send("logfile " + std::to_string(value)); }
    bool quit() { return send("quit"); }

    // The stand-in's windows (0 when absent).
    HWND controlWindow() const { return control_; }
    HWND consoleWindow() const;
    HWND inputLine() const;   // the child with id 101 (first from the top)
    HWND outputPane() const;  // the child with id 100 (fifth from the top)
    HWND consoleChild(int id) const;
    HWND gameWindow() const;

    // The pane's whole text (empty when there is no pane).
    std::string paneText() const;
    bool waitForPane(const std::function<bool(const std::string&)>& condition, Millis timeout);

    // Every line typed into the console so far, in order.
    Transcript transcript() const;
    const std::string& transcriptPath() const { return logPath_; }
    // Everything the console printed so far, clears notwithstanding.
    std::string paneLog() const { return readFile(paneLogPath_); }
    bool waitForTranscript(const std::function<bool(const Transcript&)>& condition, Millis timeout);

    // Every fault the stand-in recorded of its callers: "overrun ..." for a
    // typed line of 256 characters or more (memory corruption in the game),
    // "flood <command>" for a command the server ignored as a flood.
    Transcript faults() const { return linesOf(faultsPath_); }
    // Only the faults of one kind ("overrun", "flood").
    Transcript faults(const std::string& kind) const;
    // The timing file: "<microseconds since 1970> <what>" lines.
    Transcript timing() const { return linesOf(timingPath_); }
    // The time of the first timing line "<time> <what>"; 0 when there is none.
    unsigned long long timeOf(const std::string& what) const;
    // Waits as a player who wants his chat line to reach the others: until
    // `gap` has passed since the last command the game sent its server (or
    // the last line typed into its console, which it may send).
    void waitForServerGap(Millis gap = Millis(1200)) const;

    // The player's chat line once the server takes it (waitForServerGap);
    // waits up to `timeout` for a line typed after it that is `answer`, and
    // gives every line typed after it.
    Transcript chatAndAwait(const std::string& message,
                            const std::function<bool(const std::string&)>& answer, Millis timeout);

    // The game's log file, <basepath>\<game, or base>\qconsole.log, and what
    // it holds so far (read while the game writes it; empty when there is none).
    const std::string& logPath() const { return gameLogPath_; }
    std::string log() const { return readFile(gameLogPath_); }

  private:
    static Transcript linesOf(const std::string& path);

    std::string client_;
    ChildProcess process_;
    DWORD processId_ = 0;
    std::vector<std::string> varnokArguments_;
    HWND control_ = nullptr;
    std::string logPath_;
    std::string paneLogPath_;
    std::string faultsPath_;
    std::string timingPath_;
    std::string gameLogPath_;
    std::string error_;
};

// Whether `transcript` holds `line` (exactly) anywhere.
bool hasLine(const Transcript& transcript, const std::string& line);
// How many times `transcript` holds `line`.
int countLine(const Transcript& transcript, const std::string& line);
// Microseconds since 1970, the timing file's clock.
unsigned long long microsNow();

}  // namespace e2e
