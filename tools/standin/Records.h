#pragma once
// The files the stand-in keeps for its callers (each optional): the lines
// typed into the console, a copy of what reached the pane, when things
// happened (for the benchmark) and the faults of the caller.

#include <cstdio>
#include <string>

namespace standin {

struct RecordPaths {
    std::string transcript;  // --log: every line typed into the console, one a line
    std::string paneLog;     // --pane-log: every print as it reached the pane
    std::string timing;      // --timing: "<microseconds since 1970> <what>" lines
    std::string faults;      // --faults: "<kind> <detail>" lines
};

class Records {
  public:
    explicit Records(const RecordPaths& paths);
    ~Records();
    Records(const Records&) = delete;
    Records& operator=(const Records&) = delete;

    void typed(const std::string& line);
    void printed(const std::string& paneText);
    void stamp(const std::string& what);
    void fault(const std::string& kind, const std::string& detail);

  private:
    std::FILE* transcript_ = nullptr;
    std::FILE* paneLog_ = nullptr;
    std::FILE* timing_ = nullptr;
    std::FILE* faults_ = nullptr;
};

}  // namespace standin
