#include "console/EarChoice.h"

#include <algorithm>
#include <unordered_map>

#include "console/LineKinds.h"
#include "text/SystemPath.h"
#include "text/Text.h"

namespace varnok::console {

namespace {
constexpr std::string_view kOpened = "logfile opened on ";
constexpr std::uint64_t kHeadBytes = 128;

// The beginning of a file's first line; nothing when there is no such file.
std::optional<std::string> headOf(const std::filesystem::path& file) {
    LogFile log(file);
    std::optional<LogFile::Read> read = log.readNew();
    if (!read) return std::nullopt;
    return read->bytes.substr(0, std::min<std::size_t>(read->bytes.size(), kHeadBytes));
}
}  // namespace

void EarChoice::reset() {
    stage_ = Stage::Undecided;
    logfile_.reset();
    homePath_.reset();
    game_.reset();
    turnedOn_ = false;
    candidates_.clear();
    log_.stop();
    paneSeen_.reset();
    paneChecks_.restart();
}

std::vector<std::string_view> EarChoice::questions() const {
    if (paneOnly_) return {};
    return {"logfile", "fs_homepath", "fs_game"};
}

void EarChoice::answered(std::string_view name, const std::string& value, TimePoint now) {
    if (name == "logfile")
        logfile_ = value;
    else if (name == "fs_homepath")
        homePath_ = value;
    else if (name == "fs_game")
        game_ = value;
    else
        return;
    decide(now);
}

// A log written through a buffer gets its lines late, so the pane stays. A
// log that is off is turned on, and asked for once more: the answer is the
// print that opens it.
void EarChoice::decide(TimePoint now) {
    if (stage_ != Stage::Undecided || paneOnly_) return;
    if (!logfile_ || !homePath_ || !game_) return;
    if (*logfile_ == "1" || homePath_->empty()) {
        stage_ = Stage::Pane;
        return;
    }
    const std::filesystem::path file =
        text::toPath(*homePath_) / text::toPath(game_->empty() ? "base" : *game_) / "qconsole.log";
    candidates_ = {{file, headOf(file)}};
    if (std::optional<std::filesystem::path> twin = wakeups_.virtualStoreTwin(file))
        candidates_.push_back({*twin, headOf(*twin)});
    stage_ = Stage::Looking;
    lookingSince_ = now;
    if (*logfile_ == "0") {
        turnedOn_ = true;
        chat_.SendConsoleCommand("logfile 2");
        chat_.SendConsoleCommand("logfile");
    }
}

Heard EarChoice::listen(TimePoint now, bool inPause) {
    if (stage_ != Stage::Reading) {
        Heard heard = pane_.listen(now, inPause);
        if (stage_ == Stage::Looking && !inPause) lookForLog(now, heard);
        return heard;
    }
    Heard heard = log_.listen(now, inPause);
    if (!inPause && paneChecks_.allow(now)) checkPane(now, heard);
    return heard;
}

Wakes EarChoice::wakes() const {
    if (stage_ == Stage::Reading) {
        Wakes wakes = log_.wakes();
        if (const std::optional<TimePoint> check = paneChecks_.nextAllowed();
            check && (!wakes.due || *check < *wakes.due))
            wakes.due = check;
        return wakes;
    }
    Wakes wakes = pane_.wakes();
    for (const Candidate& candidate : candidates_)
        wakes.folders.push_back(candidate.path.parent_path());
    return wakes;
}

// The log the game opened: one that begins with its opening line, and, when
// Varnok turned it on, another than the one lying there before.
void EarChoice::lookForLog(TimePoint now, Heard& heard) {
    for (const Candidate& candidate : candidates_) {
        const std::optional<std::string> head = headOf(candidate.path);
        if (!head || !text::beginsWith(*head, kOpened)) continue;
        if (turnedOn_ && candidate.before && *candidate.before == *head) continue;
        startReading(candidate.path, now, heard);
        return;
    }
    if (now < lookingSince_ || now - lookingSince_ >= kLookFor) {
        stage_ = Stage::Pane;
        candidates_.clear();
    }
}

// What the pane gave up to now was heard from it; the log goes on after the
// last game line the pane gave.
void EarChoice::startReading(const std::filesystem::path& path, TimePoint now, Heard& heard) {
    std::optional<std::vector<std::string>> first =
        log_.start(path, pane_.lastGameLine(), turnedOn_, now);
    if (!first) return;
    for (std::string& line : *first) heard.lines.push_back(std::move(line));
    stage_ = Stage::Reading;
    candidates_.clear();
    paneSeen_ = pane_.length();
    paneChecks_.restart();
    paneChecks_.allow(now);
}

// The pane's length: a moment for the due clear, and, when it grew while the
// log stayed silent, a look at what it got since the last look. Game lines
// there that are none of those the log gave last are lines the log did not
// get (the player set "logfile 0"): they are heard from the pane, and the pane
// is read from now on.
void EarChoice::checkPane(TimePoint now, Heard& heard) {
    const PaneEar::Measurement measured = pane_.measure();
    heard.presence = measured.presence;
    if (!measured.length) return;
    const std::int32_t length = *measured.length;
    const std::int32_t before = paneSeen_.value_or(length);
    paneSeen_ = length;
    heard.clearMoment = heard.clearMoment || length < before || length >= PaneEar::kPaneLimit;
    const TimePoint grew = log_.lastGrowth();
    if (length <= before || (now >= grew && now - grew < kSilence)) return;
    const std::optional<std::string> pane = pane_.read(length);
    if (!pane || pane->empty()) return;
    // The length counts characters; a double-byte code page gives more bytes.
    const std::size_t grown = static_cast<std::size_t>(length - before) *
                              (static_cast<long>(pane->size()) > length ? 2 : 1);
    LineAssembly cut;
    std::unordered_map<std::string, int> logged;
    for (const std::string& line : log_.recent()) ++logged[line];
    std::vector<std::string> missed;
    for (std::string& line : cut.add(lastCompleteLines(*pane, grown), now)) {
        if (line == "\r\n" || isConsoleEcho(line)) continue;
        if (int& count = logged[line]; count > 0)
            --count;
        else
            missed.push_back(std::move(line));
    }
    if (missed.empty()) return;
    stage_ = Stage::Pane;
    log_.stop();
    turnedOn_ = false;  // the player turned it off: Varnok's end leaves it so
    pane_.skipTo(*pane, length);
    for (std::string& line : missed) heard.lines.push_back(std::move(line));
}

void EarChoice::leaveGameAsFound() {
    if (turnedOn_) chat_.SendConsoleCommand("logfile 0");
    turnedOn_ = false;
}

}  // namespace varnok::console
