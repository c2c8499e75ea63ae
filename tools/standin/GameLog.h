#pragma once
// The game's log file, qconsole.log, and the cvar "logfile" that drives it:
// 0 off, 1 written through a 4096-byte buffer, 2 (or more) written at once.
// The cvar is never saved, so every start begins at 0 unless the command line
// sets it. Once it is on, the next print opens the log, emptied, in the log's
// folder (<fs_homepath>\<fs_game, or base>) and writes "logfile opened on "
// and the CRT's asctime (which ends in a line end) and one more line end
// before that print; the game prints the same line to its console too, after
// the print that opened the log. A log opened at 1 stays buffered when the
// cvar becomes 2 later, one opened at 2 stays unbuffered. Setting it to 0
// stops the writing; the file stays open (and a buffer unwritten) until the
// game ends. The file is opened by the CRT's fopen, as the game opens it: it
// shares reading and writing but not deleting, so another program may read it
// (sharing writing in turn) or truncate it while it is written, but not
// delete it. Every print goes in as the game made it: colour codes kept, "\n"
// line ends. A community client whose command line turns the log on opens it
// at start, before any print (start()); OpenJK's log puts a
// "YYYY-MM-DD HH:MM:SS " stamp of the local time before each line.

#include <cstdio>
#include <string>
#include <utility>

namespace standin {

// The buffer of a log opened at 1: the file sees the bytes when it fills.
inline constexpr std::size_t kLogBufferBytes = 4096;

class GameLog {
  public:
    GameLog(std::string folder, bool stamped) : folder_(std::move(folder)), stamped_(stamped) {}
    ~GameLog();
    GameLog(const GameLog&) = delete;
    GameLog& operator=(const GameLog&) = delete;

    // The path the log is (or would be) written to.
    std::string path() const { return folder_ + "\\qconsole.log"; }

    // One print of the game while the cvar is `logfile` (its integer value).
    // When this print opened the log, answers the line the game printed on
    // opening it (for the pane too, after this print). A log that cannot be
    // opened is tried again at the next print.
    std::string write(const std::string& printed, long logfile);
    // Opens the log at once while the cvar is on, as a community client does
    // at start; answers the line the game printed on opening it (empty when
    // the log stays closed).
    std::string start(long logfile);

  private:
    bool open(long logfile);
    // Opens the log when it is closed and answers the line that says so.
    std::string openWithNotice(long logfile);
    void put(const std::string& bytes);
    std::string withStamps(const std::string& bytes);

    std::string folder_;
    bool stamped_;
    bool atLineStart_ = true;
    std::FILE* file_ = nullptr;
    bool buffered_ = false;
    std::string buffer_;
};

}  // namespace standin
