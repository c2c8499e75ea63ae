#pragma once
// Drives the stand-in game from a test: starts it in a test folder, sends
// control commands (see tools/standin/ControlProtocol.h), reads its console
// pane (the console window is hidden, as the game's is, unless asked for), the
// transcript of every line typed into its console, the faults it recorded of
// its callers and its timing file.

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
    int roundTripMs = 40;
    int frameMs = 11;
    std::string scriptPath;  // empty: no script
};

using Transcript = std::vector<std::string>;

class StandInGame {
  public:
    // Starts the stand-in with its transcript in `folder`; check started().
    explicit StandInGame(const TempFolder& folder, StandInOptions options = {});
    ~StandInGame();

    // True once the stand-in runs and its control window exists.
    bool started() const { return control_ != nullptr; }
    const std::string& startError() const { return error_; }
    ChildProcess& process() { return process_; }

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

  private:
    static Transcript linesOf(const std::string& path);

    ChildProcess process_;
    HWND control_ = nullptr;
    std::string logPath_;
    std::string paneLogPath_;
    std::string faultsPath_;
    std::string timingPath_;
    std::string error_;
};

// Whether `transcript` holds `line` (exactly) anywhere.
bool hasLine(const Transcript& transcript, const std::string& line);
// How many times `transcript` holds `line`.
int countLine(const Transcript& transcript, const std::string& line);

}  // namespace e2e
