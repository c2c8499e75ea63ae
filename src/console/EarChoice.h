#pragma once
// Which ear listens to the game whose console window was found: the game's log
// file when it can, the console's pane otherwise. This is the one place that
// chooses; the loop only listens to it.
//
// At a console found Varnok asks the game "logfile" and "fs_homepath" (and
// "fs_game" with the language's questions). A log written through a buffer
// ("logfile 1") would give its lines late, so the pane stays. A log that is
// off is turned on ("logfile 2", written at once) and turned off again when
// Varnok ends. The log is then looked for at <fs_homepath>\<fs_game, or
// base>\qconsole.log, or the twin Windows makes of it in the user's
// VirtualStore, for kLookFor; the pane is read meanwhile and stays the
// fallback: when the log is not found, or when the pane shows game lines the
// log did not get (the player set "logfile 0").

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/ConsoleLink.h"
#include "console/Ear.h"
#include "console/LogEar.h"
#include "console/Pacer.h"
#include "console/PaneEar.h"
#include "ports/Wakeups.h"

namespace varnok::console {

class EarChoice : public Ear {
  public:
    enum class Stage {
        Undecided,  // the game's answers not all in yet
        Looking,    // the log is asked for; its file is looked for
        Reading,    // the log is what Varnok reads
        Pane,       // the pane is what Varnok reads, for good for this console
    };

    // How long the log file may take to show up after it was asked for.
    static constexpr Ms kLookFor{2000};
    // How often the pane's length is asked while the log is read: the pane is
    // still looked at, seldom, for the due clear and for a log that stopped.
    static constexpr Ms kPaneCheck{2000};
    // How long the log may stay silent while the pane shows new game lines.
    static constexpr Ms kSilence{2000};

    // `paneOnly`: the log is never read ("--pane").
    EarChoice(PaneEar& pane, ConsoleLink& chat, engine::Wakeups& wakeups, bool paneOnly)
        : pane_(pane), chat_(chat), wakeups_(wakeups), paneOnly_(paneOnly) {}

    // Another console: nothing of the old one's log counts.
    void reset();
    // The console variables whose answers decide, asked once a console.
    std::vector<std::string_view> questions() const;
    // The game's answer to the console variable `name`.
    void answered(std::string_view name, const std::string& value, TimePoint now);
    // Before the program ends: turns the game's log off again when Varnok
    // turned it on and the player did not turn it off.
    void leaveGameAsFound();

    Heard listen(TimePoint now, bool inPause) override;
    Wakes wakes() const override;

    Stage stage() const { return stage_; }

  private:
    struct Candidate {
        std::filesystem::path path;
        std::optional<std::string> before;  // what it began with before the log was asked for
    };
    void decide(TimePoint now);
    void lookForLog(TimePoint now, Heard& heard);
    void startReading(const std::filesystem::path& path, TimePoint now, Heard& heard);
    void checkPane(TimePoint now, Heard& heard);

    PaneEar& pane_;
    ConsoleLink& chat_;
    engine::Wakeups& wakeups_;
    const bool paneOnly_;

    Stage stage_ = Stage::Undecided;
    std::optional<std::string> logfile_, homePath_, game_;  // the game's answers
    bool turnedOn_ = false;                                 // Varnok turned the log on
    TimePoint lookingSince_{};
    std::vector<Candidate> candidates_;
    LogEar log_;
    std::optional<std::int32_t> paneSeen_;  // the pane's length at the last check
    Pacer paneChecks_{kPaneCheck};
};

}  // namespace varnok::console
