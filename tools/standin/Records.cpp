#include "Records.h"

#include <windows.h>

namespace standin {

namespace {

std::FILE* openFor(const std::string& path) {
    return path.empty() ? nullptr : std::fopen(path.c_str(), "ab");
}

void writeLine(std::FILE* file, const std::string& line) {
    if (!file) return;
    std::fwrite(line.data(), 1, line.size(), file);
    std::fputc('\n', file);
    std::fflush(file);
}

}  // namespace

Records::Records(const RecordPaths& paths)
    : transcript_(openFor(paths.transcript)),
      paneLog_(openFor(paths.paneLog)),
      timing_(openFor(paths.timing)),
      faults_(openFor(paths.faults)) {}

Records::~Records() {
    for (std::FILE* file : {transcript_, paneLog_, timing_, faults_})
        if (file) std::fclose(file);
}

void Records::typed(const std::string& line) {
    writeLine(transcript_, line);
}

void Records::printed(const std::string& paneText) {
    if (!paneLog_) return;
    std::fwrite(paneText.data(), 1, paneText.size(), paneLog_);
    std::fflush(paneLog_);
}

void Records::stamp(const std::string& what) {
    if (!timing_) return;
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr ULONGLONG kUnixEpoch = 116444736000000000ULL;  // 1970-01-01 in 100 ns ticks
    std::fprintf(timing_, "%llu %s\n", (ticks - kUnixEpoch) / 10, what.c_str());
    std::fflush(timing_);
}

void Records::fault(const std::string& kind, const std::string& detail) {
    writeLine(faults_, kind + " " + detail);
    stamp("fault " + kind + " " + detail);
}

}  // namespace standin
