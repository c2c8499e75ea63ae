#include "console/LogEar.h"

#include <algorithm>

#include "text/Text.h"

namespace varnok::console {

std::optional<std::vector<std::string>> LogEar::start(const std::filesystem::path& path,
                                                      const std::string& lastPaneLine,
                                                      bool allIsNew, TimePoint now) {
    LogFile file(path);
    const std::optional<std::string> tail = file.readTail(kTail);
    if (!tail) return std::nullopt;
    lines_.clear();
    recent_.clear();
    recentBytes_ = 0;
    std::vector<std::string> lines = lines_.add(*tail, now);
    const auto last = std::find(lines.rbegin(), lines.rend(), lastPaneLine);
    auto next = lines.end();
    if (last != lines.rend())
        next = last.base();
    else if (allIsNew)
        next = lines.begin();
    file_.emplace(std::move(file));
    folder_ = path.parent_path();
    lastGrowth_ = now;
    // The pane shows these too, maybe after its last look: they are the log's.
    std::vector<std::string> first(std::make_move_iterator(next),
                                   std::make_move_iterator(lines.end()));
    for (const std::string& line : first) remember(line);
    return first;
}

Heard LogEar::listen(TimePoint now, bool) {
    Heard heard;
    if (!file_) return heard;
    if (std::optional<LogFile::Read> read = file_->readNew()) {
        if (read->emptied) lines_.clear();  // a new start of the game emptied it
        if (!read->bytes.empty()) {
            lastGrowth_ = now;
            heard.tookText = true;
            std::string added;
            for (std::string& line : lines_.add(read->bytes, now)) {
                added += line;
                remember(line);
                heard.lines.push_back(std::move(line));
            }
            heard.shown = text::lastChars(added, kShownText);
        }
    }
    if (std::optional<std::string> line = lines_.overdue(now)) {
        remember(*line);
        heard.lines.push_back(std::move(*line));
    }
    return heard;
}

Wakes LogEar::wakes() const {
    Wakes wakes{.polled = false, .due = lines_.due()};
    if (file_) wakes.folders.push_back(folder_);
    return wakes;
}

void LogEar::remember(const std::string& line) {
    recent_.push_back(line);
    recentBytes_ += line.size();
    while (recentBytes_ > kRecentBytes) {
        recentBytes_ -= recent_.front().size();
        recent_.pop_front();
    }
}

}  // namespace varnok::console
