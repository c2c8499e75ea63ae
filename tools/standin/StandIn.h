#pragma once
// The stand-in game: its main window, its console window (input line, three
// buttons, output pane, in that z-order) and the hidden control window through
// which tests and the demo drive it. One instance per process, on the UI thread.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace standin {

struct Options {
    std::string playerName = "Padawan";
    std::string logPath;      // transcript of every line typed into the console
    std::string scriptPath;   // timed control commands to run after start
    std::string paneLogPath;  // copy of everything printed into the pane
    std::string timingPath;   // when each control command ran and each line was typed
    bool openConsole = true;
    bool showGame = true;
};

class StandIn {
  public:
    explicit StandIn(Options options);
    ~StandIn();
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    // Registers the window classes and creates the windows; false on failure.
    bool create(HINSTANCE instance);

    // Runs one control command; false when it is unknown or malformed.
    bool runControl(const std::string& command);

    // What a carriage return in the input line does with the line it held.
    void runConsoleLine(const std::string& line);

    void appendToPane(const std::string& text);
    void clearPane();
    void openConsole();
    void closeConsole();
    void quit();

  private:
    static LRESULT CALLBACK controlProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK consoleProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK gameProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK inputProc(HWND, UINT, WPARAM, LPARAM);

    bool carryOut(const std::string& command);
    void logLine(const std::string& line);
    // "<microseconds since 1970> <what>" into the timing file, for the benchmark.
    void stamp(const std::string& what);
    void fillPane(long count);
    void typeLine(const std::string& line);
    void loadScript();
    void runScriptSteps();
    void copyPaneToClipboard();

    Options options_;
    std::string playerName_;
    HINSTANCE instance_ = nullptr;
    HWND control_ = nullptr;
    HWND game_ = nullptr;
    HWND console_ = nullptr;
    HWND input_ = nullptr;
    HWND pane_ = nullptr;
    WNDPROC editProc_ = nullptr;
    HFONT paneFont_ = nullptr;
    std::FILE* log_ = nullptr;
    std::FILE* paneLog_ = nullptr;
    std::FILE* timing_ = nullptr;
    std::vector<std::string> script_;
    size_t scriptNext_ = 0;
};

}  // namespace standin
