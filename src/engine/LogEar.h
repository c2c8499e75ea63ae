#pragma once
// What the engine knows of the game's log file for the console it keeps.
// Told, not asking: once the game writes its log, Varnok reads what the log
// got instead of asking the console's pane for its text many times a second.
// At a console found it asks the game "logfile" and "fs_homepath"; a log that
// is off it turns on ("logfile 2", written at once) and turns off again when
// it ends; it then reads <fs_homepath>\<fs_game, or base>\qconsole.log, or
// the twin Windows makes of it in the user's VirtualStore when only that one
// grows. The pane stays the fallback: when the log cannot be found within
// kLookFor, when it was already written through a buffer ("logfile 1"), or
// when the pane shows game lines the log did not get (the player set
// "logfile 0").

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/LogFile.h"
#include "engine/LogLines.h"
#include "engine/Pacer.h"

namespace varnok::engine {

struct LogEar {
    using TimePoint = std::chrono::system_clock::time_point;

    enum class Stage {
        Undecided,  // the game's answers not all in yet
        Looking,    // the log is asked for; its file is looked for
        Reading,    // the log is what Varnok reads
        Pane,       // the pane is what Varnok reads, for good for this console
    };

    // How long the log file may take to show up after it was asked for.
    static constexpr std::chrono::milliseconds kLookFor{2000};
    // How often the pane's length is asked while the log is read: the pane is
    // still looked at, seldom, for the due clear and for a log that stopped.
    static constexpr std::chrono::milliseconds kPaneCheck{2000};
    // How long the log may stay silent while the pane shows new game lines.
    static constexpr std::chrono::milliseconds kSilence{2000};
    // How much of a log already written when it is found is looked through
    // for where the pane's lines end.
    static constexpr std::uint64_t kTail = 64 * 1024;
    // How much of what the log gave last is kept, to tell a pane line the log
    // got from one it missed.
    static constexpr std::size_t kRecentBytes = 64 * 1024;

    Stage stage = Stage::Undecided;
    std::optional<std::string> logfile;   // the game's answer
    std::optional<std::string> homePath;  // fs_homepath, the game's answer
    bool turnedOn = false;                // Varnok turned the log on
    TimePoint lookingSince{};

    // The files the log may be in while it is looked for, with what each held
    // before it was asked for (a log of an earlier game may lie there).
    struct Candidate {
        std::filesystem::path path;
        std::optional<std::string> before;
    };
    std::vector<Candidate> candidates;

    std::optional<LogFile> file;  // the log being read
    LogLines lines;
    TimePoint lastGrowth{};          // when the log last got bytes
    std::deque<std::string> recent;  // the lines the log gave last, oldest first
    std::size_t recentBytes = 0;
    std::optional<std::int32_t> paneSeen;  // the pane's length at the last check
    Pacer paneChecks{kPaneCheck};
    std::string lastPaneLine;  // the last game line the pane gave, while it was read

    void reset() { *this = LogEar{}; }
    // A line the log gave, kept among the recent ones.
    void remember(const std::string& line) {
        recent.push_back(line);
        recentBytes += line.size();
        while (recentBytes > kRecentBytes) {
            recentBytes -= recent.front().size();
            recent.pop_front();
        }
    }
};

}  // namespace varnok::engine
