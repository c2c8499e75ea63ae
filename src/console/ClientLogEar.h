#pragma once
// A community client's log as an ear: the client writes qconsole.log at once
// from its start (Varnok starts it with "+set logfile 2"), so its log is all
// there is to hear. Each line is brought to the retail pane's form
// (ClientLines.h); a log that got shorter was begun anew by a new start.

#include <filesystem>
#include <optional>

#include "console/ClientLines.h"
#include "console/Ear.h"
#include "console/LogFile.h"
#include "console/LogLines.h"

namespace varnok::console {

class ClientLogEar : public Ear {
  public:
    // `typed`: the lines typed into the client, whose echoes the log holds.
    explicit ClientLogEar(TypedLines& typed) : typed_(typed) {}

    // Reads the log at `path` from its start on.
    void start(const std::filesystem::path& path);
    const std::filesystem::path& path() const { return path_; }

    Heard listen(TimePoint now, bool inPause) override;
    Wakes wakes() const override;

  private:
    TypedLines& typed_;
    std::optional<LogFile> file_;
    std::filesystem::path path_;
    LogLines lines_;
};

}  // namespace varnok::console
