#pragma once
// A child process started by a test, kept in a job object so that it and
// everything it starts end together: at kill() or when the object goes away.

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// One argument quoted for a Windows command line.
std::string quoteArgument(const std::string& argument);

class ChildProcess {
  public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `exe` with `args` in `workDir`; false (with lastError()) on failure.
    bool start(const std::string& exe, const std::vector<std::string>& args,
               const std::string& workDir);
    DWORD id() const { return id_; }
    HANDLE handle() const { return process_; }
    bool running() const;
    // Waits up to `ms` for the process to end; true when it has ended.
    bool waitForExit(DWORD ms) const;
    // Exit code, or STILL_ACTIVE while it runs.
    DWORD exitCode() const;
    // Ends the process and its children, and waits (briefly) for the end.
    void kill();
    const std::string& lastError() const { return error_; }

  private:
    HANDLE process_ = nullptr;
    HANDLE job_ = nullptr;
    DWORD id_ = 0;
    std::string error_;
};

}  // namespace e2e
