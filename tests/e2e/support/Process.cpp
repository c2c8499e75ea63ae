#include "support/Process.h"

namespace e2e {

std::string quoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"')
            quoted.append(backslashes * 2 + 1, '\\');
        else
            quoted.append(backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

ChildProcess::~ChildProcess() {
    kill();
}

bool ChildProcess::start(const std::string& exe, const std::vector<std::string>& args,
                         const std::string& workDir) {
    kill();
    std::string commandLine = quoteArgument(exe);
    for (const std::string& arg : args) {
        commandLine += ' ';
        commandLine += quoteArgument(arg);
    }

    job_ = CreateJobObjectA(nullptr, nullptr);
    if (job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, workDir.empty() ? nullptr : workDir.c_str(), &startup, &info)) {
        DWORD code = GetLastError();
        error_ = "CreateProcess failed for ";
        error_ += exe;
        error_ += " (error " + std::to_string(code) + ")";
        if (job_) CloseHandle(job_);
        job_ = nullptr;
        return false;
    }
    if (job_) AssignProcessToJobObject(job_, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    return true;
}

bool ChildProcess::running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::waitForExit(DWORD ms) const {
    return !process_ || WaitForSingleObject(process_, ms) == WAIT_OBJECT_0;
}

DWORD ChildProcess::exitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

void ChildProcess::kill() {
    if (process_) {
        if (running()) {
            if (job_) TerminateJobObject(job_, 1);
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
        process_ = nullptr;
    }
    if (job_) {
        CloseHandle(job_);
        job_ = nullptr;
    }
    id_ = 0;
}

}  // namespace e2e
