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

// The pane resets its count past this many characters printed.
constexpr std::int64_t kPaneReset = 0x7fff;

// A line typed at the game's console that turns its log off: "logfile 0",
// or one of the set commands on it, with or without a leading slash.
bool turnsLogOff(std::string_view line) {
    if (!isConsoleEcho(line)) return false;
    line.remove_prefix(1);
    if (!line.empty() && (line.front() == '/' || line.front() == '\\')) line.remove_prefix(1);
    std::vector<std::string> words;
    for (std::string_view rest = line; !rest.empty();) {
        const std::size_t start = rest.find_first_not_of(" \t\r\n\"");
        if (start == std::string_view::npos) break;
        rest.remove_prefix(start);
        const std::size_t end = std::min(rest.find_first_of(" \t\r\n\""), rest.size());
        words.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end);
    }
    std::size_t at = 0;
    if (!words.empty() && text::foldCase(words[0]).starts_with("set") && words[0].size() <= 4)
        at = 1;
    return words.size() == at + 2 && text::equalsNoCase(words[at], "logfile") &&
           text::parseWholeNumber(words[at + 1]) == 0;
}

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
    askedUnread_ = false;
    candidates_.clear();
    log_.stop();
    paneSeen_.reset();
    paneCount_ = 0;
    nextCheck_ = {};
    quiet_ = kSilence;
}

std::vector<std::string_view> EarChoice::questions() const {
    if (paneOnly_) return {};
    return {"logfile", "fs_homepath", "fs_game"};
}

std::vector<std::string_view> EarChoice::unanswered() const {
    std::vector<std::string_view> missing;
    if (stage_ != Stage::Undecided || paneOnly_ || !askedUnread_ || pane_.fresh()) return missing;
    if (!logfile_) missing.push_back("logfile");
    if (!homePath_) missing.push_back("fs_homepath");
    if (!game_) missing.push_back("fs_game");
    return missing;
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
    follow(now, heard);
    if (stage_ == Stage::Reading && !inPause && now >= nextCheck_) checkPane(now, heard, nullptr);
    return heard;
}

Wakes EarChoice::wakes() const {
    if (stage_ == Stage::Reading) {
        Wakes wakes = log_.wakes();
        if (!wakes.due || nextCheck_ < *wakes.due) wakes.due = nextCheck_;
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
    paneCount_ = pane_.length();
    quiet_ = kSilence;
    nextCheck_ = now + kSilence;
}

void EarChoice::follow(TimePoint now, Heard& heard) {
    if (heard.tookText) {
        quiet_ = kSilence;
        nextCheck_ = now + kSilence;
    }
    std::optional<std::string> stopLine;
    for (const std::string& line : heard.lines) {
        paneCount_ += static_cast<std::int64_t>(line.size());
        if (paneCount_ > kPaneReset) paneCount_ = static_cast<std::int64_t>(line.size());
        if (turnsLogOff(line)) stopLine = line;
    }
    heard.clearMoment = heard.clearMoment || paneCount_ >= PaneEar::kPaneLimit;
    if (stopLine) checkPane(now, heard, &*stopLine);
}

// The pane's length: a moment for the due clear, and, when it grew while the
// log stayed silent, a look at what it got since the last look. Game lines
// there that are none of those the log gave last are lines the log did not
// get (the player set "logfile 0"): they are heard from the pane, and the pane
// is read from now on.
void EarChoice::checkPane(TimePoint now, Heard& heard, const std::string* stopLine) {
    quiet_ = std::min<Ms>(quiet_ * 2, kMostQuiet);
    nextCheck_ = now + quiet_;
    const PaneEar::Measurement measured = pane_.measure();
    heard.presence = measured.presence;
    if (!measured.length) return;
    const std::int32_t length = *measured.length;
    const std::int32_t before = paneSeen_.value_or(length);
    paneSeen_ = length;
    paneCount_ = length < before ? length : std::max<std::int64_t>(paneCount_, length);
    heard.clearMoment = heard.clearMoment || length < before || length >= PaneEar::kPaneLimit;
    const TimePoint grew = log_.lastGrowth();
    if (!stopLine && (length <= before || (now >= grew && now - grew < kSilence))) return;
    const std::optional<std::string> pane = pane_.read(length);
    if (!pane) return;
    std::vector<std::string> missed = stopLine ? linesAfter(*pane, *stopLine, now)
                                               : notLogged(*pane, length - before, length, now);
    if (missed.empty() && !stopLine) return;
    stage_ = Stage::Pane;
    log_.stop();
    turnedOn_ = false;  // the player turned it off: Varnok's end leaves it so
    pane_.skipTo(*pane, length);
    for (std::string& line : missed) heard.lines.push_back(std::move(line));
}

// The game lines among the last `grown` characters of the pane (measured
// `length`) that are none of those the log gave last.
std::vector<std::string> EarChoice::notLogged(const std::string& pane, std::int32_t grown,
                                              std::int32_t length, TimePoint now) const {
    if (grown <= 0) return {};
    // The length counts characters; a double-byte code page gives more bytes.
    const std::size_t bytes =
        static_cast<std::size_t>(grown) * (static_cast<long>(pane.size()) > length ? 2 : 1);
    std::unordered_map<std::string, int> logged;
    for (const std::string& line : log_.recent()) ++logged[line];
    std::vector<std::string> missed;
    LineAssembly cut;
    for (std::string& line : cut.add(lastCompleteLines(pane, bytes), now)) {
        if (line == "\r\n" || isConsoleEcho(line)) continue;
        if (int& count = logged[line]; count > 0)
            --count;
        else
            missed.push_back(std::move(line));
    }
    return missed;
}

// The game lines the pane shows after the last `stopLine` (which it shows
// too): printed after the log stopped.
std::vector<std::string> EarChoice::linesAfter(const std::string& pane, const std::string& stopLine,
                                               TimePoint now) const {
    const std::string_view key =
        std::string_view(stopLine).substr(0, stopLine.find_last_not_of("\r\n") + 1);
    const std::size_t at = pane.rfind(key);
    if (at == std::string::npos) return {};
    const std::size_t end = pane.find_first_of("\r\n", at + key.size());
    if (end == std::string::npos) return {};
    const std::size_t next = pane.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    std::vector<std::string> after;
    LineAssembly cut;
    for (std::string& line : cut.add(std::string_view(pane).substr(next), now))
        if (line != "\r\n" && !isConsoleEcho(line)) after.push_back(std::move(line));
    return after;
}

void EarChoice::leaveGameAsFound() {
    if (turnedOn_) chat_.SendConsoleCommand("logfile 0");
    turnedOn_ = false;
}

}  // namespace varnok::console
