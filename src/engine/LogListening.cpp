// The game's log as Varnok's ears: the answers that decide whether it is
// read, looking for its file, reading what it got, and falling back to the
// console's pane when the log stops (see LogEar.h).
#include <algorithm>
#include <unordered_map>

#include "engine/Engine.h"
#include "engine/GameLines.h"
#include "text/SystemPath.h"
#include "text/Text.h"

namespace varnok::engine {

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

// Varnok's own questions ("logfile", "fs_homepath") and the language's
// "fs_game" decide; a log written through a buffer gets its lines late, so the
// pane stays. A log that is off is turned on, and asked for once more: the
// answer is the print that opens it.
void Engine::decideLog() {
    LogEar& log = state.log;
    if (log.stage != LogEar::Stage::Undecided || ctx_.paneOnly) return;
    const std::optional<std::string> game = language.game();
    if (!log.logfile || !log.homePath || !game) return;
    if (*log.logfile == "1" || log.homePath->empty()) {
        log.stage = LogEar::Stage::Pane;
        return;
    }
    const std::filesystem::path file =
        text::toPath(*log.homePath) / text::toPath(game->empty() ? "base" : *game) / "qconsole.log";
    log.candidates = {{file, headOf(file)}};
    if (std::optional<std::filesystem::path> twin = ctx_.wakeups.virtualStoreTwin(file))
        log.candidates.push_back({*twin, headOf(*twin)});
    std::vector<std::filesystem::path> folders;
    for (const LogEar::Candidate& candidate : log.candidates)
        folders.push_back(candidate.path.parent_path());
    ctx_.wakeups.watchFolders(folders);
    log.stage = LogEar::Stage::Looking;
    log.lookingSince = ctx_.clock.now();
    if (*log.logfile == "0") {
        log.turnedOn = true;
        ctx_.console.SendConsoleCommand("logfile 2");
        ctx_.console.SendConsoleCommand("logfile");
    }
}

// The log the game opened: one that begins with its opening line, and, when
// Varnok turned it on, another than the one lying there before.
void Engine::lookForLog() {
    LogEar& log = state.log;
    for (const LogEar::Candidate& candidate : log.candidates) {
        const std::optional<std::string> head = headOf(candidate.path);
        if (!head || !text::beginsWith(*head, kOpened)) continue;
        if (log.turnedOn && candidate.before && *candidate.before == *head) continue;
        startReadingLog(candidate.path);
        return;
    }
    const auto now = ctx_.clock.now();
    if (now < log.lookingSince || now - log.lookingSince >= LogEar::kLookFor) {
        log.stage = LogEar::Stage::Pane;
        ctx_.wakeups.watchFolders({});
    }
}

// What the pane gave up to now was heard from it; the log goes on after the
// last game line the pane gave. A log Varnok just turned on that does not hold
// that line began after it: all of it is new. One the player had on already
// holds what the pane gave; with that line not found, from its end.
void Engine::startReadingLog(const std::filesystem::path& path) {
    LogEar& log = state.log;
    LogFile file(path);
    const std::optional<std::string> tail = file.readTail(LogEar::kTail);
    if (!tail) return;
    const auto now = ctx_.clock.now();
    log.lines.clear();
    const std::vector<std::string> lines = log.lines.add(*tail, now);
    const auto last = std::find(lines.rbegin(), lines.rend(), log.lastPaneLine);
    auto next = lines.end();
    if (last != lines.rend())
        next = last.base();
    else if (log.turnedOn)
        next = lines.begin();
    for (auto line = next; line != lines.end(); ++line) hear(*line);
    log.file.emplace(std::move(file));
    log.stage = LogEar::Stage::Reading;
    log.lastGrowth = now;
    log.paneSeen = state.curLen;
    log.paneChecks.restart();
    log.paneChecks.allow(now);
    ctx_.wakeups.watchFolders({path.parent_path()});
}

// Reads what the log got since the last look; every so often also asks the
// pane for its length (not in a pause, which types nothing).
bool Engine::listenToLog(bool inPause) {
    LogEar& log = state.log;
    const auto now = ctx_.clock.now();
    bool tookText = false;
    if (std::optional<LogFile::Read> read = log.file->readNew()) {
        if (read->emptied) log.lines.clear();  // a new game start emptied it
        if (!read->bytes.empty()) {
            log.lastGrowth = now;
            tookText = true;
            std::string added;
            for (std::string& line : log.lines.add(read->bytes, now)) {
                added += line;
                log.remember(line);
                hear(std::move(line));
            }
            if (!added.empty())
                ctx_.host.chatText().setCaption(text::lastChars(added, kMaxNewText));
        }
    }
    if (std::optional<std::string> line = log.lines.overdue(now)) {
        log.remember(*line);
        hear(std::move(*line));
    }
    if (!inPause && log.paneChecks.allow(now)) checkPaneWhileOnLog();
    return tookText;
}

// The pane's length: a moment for the due clear, and, when it grew while the
// log stayed silent, a look at what it got since the last look. Game lines
// there that are none of those the log gave last are lines the log did not
// get (the player set "logfile 0"): they are heard from the pane, and the pane
// is read from now on.
void Engine::checkPaneWhileOnLog() {
    LogEar& log = state.log;
    const std::optional<long> measured = ctx_.console.ReadTextLength(state.outputPane);
    if (!measured) return;
    const auto length = static_cast<std::int32_t>(*measured);
    const std::int32_t before = log.paneSeen.value_or(length);
    log.paneSeen = length;
    if (state.clearDue && (length < before || length >= kPaneLimit)) sendClear();
    const auto now = ctx_.clock.now();
    if (length <= before || (now >= log.lastGrowth && now - log.lastGrowth < LogEar::kSilence))
        return;
    const std::optional<std::string> pane = ctx_.console.ReadPaneText(state.outputPane, length);
    if (!pane || pane->empty()) return;
    // The length counts characters; a double-byte code page gives more bytes.
    const std::size_t grown = static_cast<std::size_t>(length - before) *
                              (static_cast<long>(pane->size()) > length ? 2 : 1);
    LineAssembly cut;
    std::unordered_map<std::string, int> logged;
    for (const std::string& line : log.recent) ++logged[line];
    std::vector<std::string> missed;
    for (std::string& line : cut.add(lastCompleteLines(*pane, grown), now)) {
        if (line == "\r\n" || isConsoleEcho(line)) continue;
        if (int& count = logged[line]; count > 0)
            --count;
        else
            missed.push_back(std::move(line));
    }
    if (missed.empty()) return;
    log.stage = LogEar::Stage::Pane;
    log.file.reset();
    log.turnedOn = false;  // the player turned it off: Varnok's end leaves it so
    ctx_.wakeups.watchFolders({});
    state.lines.skipTo(*pane);
    state.prevLen = state.curLen = length;
    for (std::string& line : missed) hear(std::move(line));
}

// The log is left as Varnok found it.
void Engine::leaveGameAsFound() {
    if (state.log.turnedOn && state.consoleWnd != 0) ctx_.console.SendConsoleCommand("logfile 0");
    state.log.turnedOn = false;
}

}  // namespace varnok::engine
