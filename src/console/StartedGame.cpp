#include "console/StartedGame.h"

#include <algorithm>

#include "console/LogFile.h"
#include "text/SystemPath.h"
#include "text/Text.h"

namespace varnok::console {

namespace {
constexpr std::string_view kOpened = "logfile opened on ";
constexpr std::size_t kHeadBytes = 128;

// The beginning of a file; nothing when there is no such file.
std::optional<std::string> headOf(const std::filesystem::path& file) {
    LogFile log(file);
    std::optional<LogFile::Read> read = log.readNew();
    if (!read) return std::nullopt;
    return read->bytes.substr(0, std::min(read->bytes.size(), kHeadBytes));
}

// The value of "+set NAME VALUE" among the arguments, the last one given.
std::optional<std::string> setting(const std::vector<std::string>& arguments,
                                   std::string_view name) {
    std::optional<std::string> value;
    for (std::size_t i = 0; i + 2 < arguments.size(); ++i)
        if (text::equalsNoCase(arguments[i], "+set") && text::equalsNoCase(arguments[i + 1], name))
            value = arguments[i + 2];
    return value;
}
}  // namespace

std::vector<ClientLog> clientLogs(const std::filesystem::path& exe,
                                  const std::vector<std::string>& arguments,
                                  const std::optional<std::filesystem::path>& documents) {
    const std::optional<std::string> home = setting(arguments, "fs_homepath");
    const std::string game = setting(arguments, "fs_game").value_or("");
    const std::filesystem::path portableHome = home ? text::toPath(*home) : exe.parent_path();
    std::vector<ClientLog> logs = {
        {portableHome / text::toPath(game.empty() ? "EternalJK" : game) / "qconsole.log",
         Client::EternalJK}};
    if (home || documents) {
        const std::filesystem::path openHome =
            home ? text::toPath(*home) : *documents / "My Games" / "OpenJK";
        logs.push_back({openHome / text::toPath(game.empty() ? "base" : game) / "qconsole.log",
                        Client::OpenJK});
    }
    return logs;
}

StartedGame::StartedGame(std::vector<ClientLog> logs, ConsoleInput& input, engine::Clock& clock)
    : mouth_(input, clock, typed_) {
    for (ClientLog& log : logs) {
        std::optional<std::string> before = headOf(log.path);
        candidates_.push_back({std::move(log), std::move(before)});
    }
}

// The client empties its log when it opens it and begins it with its opening
// line: one that begins so, and not as it began before, is this game's.
bool StartedGame::lookForLog() {
    if (client_) return true;
    for (const Candidate& candidate : candidates_) {
        const std::optional<std::string> head = headOf(candidate.log.path);
        if (!head || !retailForm(*head).starts_with(kOpened) || head == candidate.before) continue;
        client_ = candidate.log.client;
        ear_.start(candidate.log.path);
        return true;
    }
    return false;
}

}  // namespace varnok::console
