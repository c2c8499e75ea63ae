#include "console/ClientLogEar.h"

#include "text/Text.h"

namespace varnok::console {

void ClientLogEar::start(const std::filesystem::path& path) {
    path_ = path;
    file_.emplace(path);
    lines_.clear();
}

Heard ClientLogEar::listen(TimePoint now, bool) {
    Heard heard;
    if (!file_) return heard;
    std::vector<std::string> lines;
    if (std::optional<LogFile::Read> read = file_->readNew()) {
        if (read->emptied) {
            lines_.clear();
            heard.startedAnew = true;
        }
        heard.tookText = !read->bytes.empty();
        lines = lines_.add(read->bytes, now);
    }
    if (std::optional<std::string> line = lines_.overdue(now)) lines.push_back(std::move(*line));
    std::string shown;
    for (const std::string& line : lines) {
        std::string retail =
            typed_.marked(retailForm(line.substr(0, line.size() - 2)), now) + "\r\n";
        shown += retail;
        heard.lines.push_back(std::move(retail));
    }
    if (!shown.empty()) heard.shown = text::lastChars(shown, kShownText);
    return heard;
}

Wakes ClientLogEar::wakes() const {
    Wakes wakes{.polled = false, .due = lines_.due()};
    if (file_) wakes.folders.push_back(path_.parent_path());
    return wakes;
}

}  // namespace varnok::console
