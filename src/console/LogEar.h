#pragma once
// The game's log file as an ear: told, not asking. Once the game writes its
// log, Varnok reads what the file got instead of asking the console's pane for
// its text many times a second; the folder's change notification wakes it.
// The file stays open, shared with the game; a file that got shorter was
// emptied by a new start of the game and is read from its start. The log's
// lines are brought to the pane's form (LogLines).

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "console/Ear.h"
#include "console/LogFile.h"
#include "console/LogLines.h"

namespace varnok::console {

class LogEar : public Ear {
  public:
    // How much of a log already written when it is found is looked through
    // for where the pane's lines end.
    static constexpr std::uint64_t kTail = 64 * 1024;
    // How much of what the log gave last is kept, to tell a pane line the log
    // got from one it missed.
    static constexpr std::size_t kRecentBytes = 64 * 1024;

    // Reads the log at `path` from now on. The lines the pane gave up to now
    // were heard from it: the log goes on after `lastPaneLine`, found among
    // its last kTail bytes; with that line not found, after all it holds, or
    // with all of it when `allIsNew` (a log Varnok just turned on began after
    // the pane's lines). The lines heard first; nothing when it cannot be read.
    std::optional<std::vector<std::string>> start(const std::filesystem::path& path,
                                                  const std::string& lastPaneLine, bool allIsNew,
                                                  TimePoint now);
    void stop() { file_.reset(); }

    Heard listen(TimePoint now, bool inPause) override;
    Wakes wakes() const override;

    // The lines the log gave last, oldest first.
    const std::deque<std::string>& recent() const { return recent_; }
    // When the log last got bytes.
    TimePoint lastGrowth() const { return lastGrowth_; }

  private:
    void remember(const std::string& line);

    std::optional<LogFile> file_;
    std::filesystem::path folder_;
    LogLines lines_;
    TimePoint lastGrowth_{};
    std::deque<std::string> recent_;
    std::size_t recentBytes_ = 0;
};

}  // namespace varnok::console
