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
//
// While the log is read the game is not asked anything: the log's folder and
// the game's process wake Varnok. What the log says stands in for the pane:
// the pane gets what the log gets, so the moment for the due clear (the pane
// full, about to replace itself) is counted from the log's text; the player's
// "logfile 0" typed in the game's console shows in the log and hands over to
// the pane at once. Only a log turned off unseen (a key bound to it) shows
// nowhere but in the pane: so while the log is silent the pane's length is
// asked now and then, kSilence after the log's last text, then ever more
// seldom up to every kMostQuiet.

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
    // How long the log may stay silent while the pane shows new game lines,
    // and how seldom a silent log's pane is looked at, at most.
    static constexpr Ms kSilence{2000};
    static constexpr Ms kMostQuiet{30000};

    // `paneOnly`: the log is never read ("--pane").
    EarChoice(PaneEar& pane, ConsoleLink& chat, engine::Wakeups& wakeups, bool paneOnly)
        : pane_(pane), chat_(chat), wakeups_(wakeups), paneOnly_(paneOnly) {}

    // Another console: nothing of the old one's log counts.
    void reset();
    // The console variables whose answers decide, asked once a console.
    std::vector<std::string_view> questions() const;
    // The questions went out. Asked before the pane was first read, their
    // answers may be printed before it is, and then taken for old text.
    void asked() { askedUnread_ = pane_.fresh(); }
    // The questions whose answers may have been lost so, and did not come:
    // they go once more.
    std::vector<std::string_view> unanswered() const;
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
    // Looks at the pane: the lines it got that the log did not are heard, and
    // the pane is read from then on. `stopLine`: the log's line that stopped it.
    void checkPane(TimePoint now, Heard& heard, const std::string* stopLine);
    std::vector<std::string> notLogged(const std::string& pane, std::int32_t grown,
                                       std::int32_t length, TimePoint now) const;
    std::vector<std::string> linesAfter(const std::string& pane, const std::string& stopLine,
                                        TimePoint now) const;
    // The log's text, for the pane it stands in for: a moment for the due
    // clear, a line that turns the log off.
    void follow(TimePoint now, Heard& heard);

    PaneEar& pane_;
    ConsoleLink& chat_;
    engine::Wakeups& wakeups_;
    const bool paneOnly_;

    Stage stage_ = Stage::Undecided;
    std::optional<std::string> logfile_, homePath_, game_;  // the game's answers
    bool turnedOn_ = false;                                 // Varnok turned the log on
    bool askedUnread_ = false;                              // asked before the pane's first reading
    TimePoint lookingSince_{};
    std::vector<Candidate> candidates_;
    LogEar log_;
    std::optional<std::int32_t> paneSeen_;  // the pane's length at the last check
    std::int64_t paneCount_ = 0;            // what the pane printed since its reset, as counted
    TimePoint nextCheck_{};                 // when a silent log's pane is looked at next
    Ms quiet_ = kSilence;                   // the time after that look to the next
};

}  // namespace varnok::console
