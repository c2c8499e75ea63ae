// The playback of the player window: start, resume, pause, stop and volume,
// and the moves through the playlist (play the selection, next, previous, play
// by index; every caller selects the entry before the start takes it as
// current). Each started song gets a new media graph; the old one is stopped
// and released first. A graph opens its file in the background, so a start
// goes on when the graph says it is done, inside a later yield: the song
// runs, or the next entry is opened in its place. A new start or a stop
// meanwhile takes the place of the one under way.
#include <algorithm>

#include "player/FrmPlay.h"
#include "player/Numbers.h"

namespace varnok::player {

namespace {
constexpr const char* kEchoPlaying = "echo ^1Currently Playing: ^4";
}

bool FrmPlay::play(const std::string& filename, Started started) {
    return playFile(filename, Start{.started = std::move(started)});
}

bool FrmPlay::playFile(const std::string& filename, Start start) {
    if (mPlaying && PauseBb) resumePaused();
    if (!PauseBb) mFile = filename;
    if (mFile.empty() || mPlaying) return false;
    start.entry = lstPlay->listIndex();
    start_ = std::move(start);
    openCurrentFile();
    return true;
}

void FrmPlay::resumePaused() {
    if (graph) {
        const std::optional<double> at = graph->position();
        // Paused at the very end: play the song again from its start.
        if (at && roundHalfEven(*at) == roundHalfEven(mDuration)) graph->setPosition(0.0);
    }
    mPlaying = true;
    PauseBb = false;
    if (graph) graph->run();
    tmrMusic->setEnabled(true);
}

// Without a graph from the platform the entry cannot be played, which is
// known at once: the loop moves on without nesting a call per entry.
void FrmPlay::openCurrentFile() {
    for (;;) {
        if (graph) graph->stop();
        graph.reset();
        graph = media_.createGraph();
        if (graph) {
            graph->open(mFile, [this](bool playable) { fileOpened(playable); });
            return;
        }
        if (!moveOn()) return finishStart(std::nullopt);
    }
}

// Each entry's answer comes in its own yield, so the windows and the game are
// served between the entries of a long list that cannot be played, and every
// failed graph is released before the next is made.
void FrmPlay::fileOpened(bool playable) {
    if (!start_ || toolkit_.ended()) return;
    if (playable) {
        if (std::optional<std::string> name = runOpened()) return finishStart(name);
    }
    dropFailedStart();
    if (moveOn()) return openCurrentFile();
    finishStart(std::nullopt);
}

std::optional<std::string> FrmPlay::runOpened() {
    positionSet_ = true;
    tmrMusic->setEnabled(true);
    if (!graph->run()) return std::nullopt;

    // The entry opened, even when the user selected another meanwhile.
    const int entry = start_->entry;
    mIndex = static_cast<std::int16_t>(entry);
    const std::string name = entry >= 0 && entry < lstPlay->count() ? lstPlay->item(entry) : "";
    if (!graph->setRate(1.0)) return std::nullopt;
    mPlaying = true;

    const std::optional<double> duration = graph->duration();
    if (!duration) return std::nullopt;
    mDuration = roundToHundredths(*duration);
    lblLength->setCaption(formatSeconds(mDuration));
    Slider3->setMax(static_cast<int>(roundHalfEven(mDuration)));
    if (!graph->setVolume(graphVolume(sldVol->value()))) return std::nullopt;
    return name;
}

// A start that failed after the song began to run has set mPlaying; the graph
// goes and the player counts as stopped again.
void FrmPlay::dropFailedStart() {
    if (graph) graph->stop();
    graph.reset();
    mPlaying = false;
}

// A song that cannot be played is passed over: the entries after the failed
// one are tried in turn, counting from the failed entry itself, so that the
// walk visits every entry however the failed start was reached. An entry
// without a path fails at once.
bool FrmPlay::moveOn() {
    Start& start = *start_;
    if (start.left < 0) {
        const int failed = start.entry;
        if (failed < 0) start.entry = mIndex;
        start.left = entryCount() - (failed >= 0 ? 1 : 0);
    }
    while (start.left > 0 && entryCount() > 0) {
        --start.left;
        ++start.walked;
        start.entry = entryAfter(start.entry);
        lstPlay->setListIndex(start.entry);
        if (positionSet_) stopPlayback();
        mFile = mSongs[static_cast<std::size_t>(start.entry)];
        if (!mFile.empty()) return true;
    }
    return false;
}

// The song reached, or the stop once every entry has failed, is echoed once:
// for a start that echoes, and for any start that had to walk.
void FrmPlay::finishStart(const std::optional<std::string>& name) {
    const Start done = std::move(*start_);
    start_.reset();
    if (!name) {
        PauseBb = false;
        mFile.clear();
        if (done.entry >= 0) mIndex = static_cast<std::int16_t>(done.entry);
    }
    if (done.echoed || done.walked > 0) announcePlaying(name.value_or(""));
    if (done.started) done.started(name.value_or(""));
}

void FrmPlay::Pause() {
    if (!mPlaying) return;
    if (graph) graph->pause();
    PauseBb = true;
}

// A start still opening its song is given up, with its graph.
void FrmPlay::mStop() {
    if (start_) {
        start_.reset();
        graph.reset();
    }
    stopPlayback();
}

// Every step is tried on its own: before the first song there is no graph and
// only the slider, the flags and the file change.
void FrmPlay::stopPlayback() {
    if (graph) graph->stop();
    if (graph && positionSet_) graph->setPosition(0.0);
    Slider3->setValue(0);
    mPlaying = false;
    PauseBb = false;
    mFile.clear();
}

void FrmPlay::volumetune(std::int16_t volu) {
    sldVol->setValue(sliderForLoudness(volu));  // refused outside 0..20
    if (graph) graph->setVolume(graphVolume(sldVol->value()));
}

// --- Moving through the playlist --------------------------------------------

int FrmPlay::entryCount() const {
    return std::min(lstPlay->count(), static_cast<int>(mSongs.size()));
}

void FrmPlay::stopIfStarted() {
    if (positionSet_) cmdStop_Click();
}

bool FrmPlay::playEntry(int index, Start start) {
    if (index < 0 || index >= entryCount()) return false;
    return playFile(mSongs[static_cast<std::size_t>(index)], std::move(start));
}

int FrmPlay::currentEntry() const {
    return start_ && start_->entry >= 0 ? start_->entry : mIndex;
}

// The entry after the current one (after the last, the first), echoed in the
// game's console. An empty playlist has nothing to move to. When the entry
// cannot be played, the walk echoes the song it reaches instead, so the
// console hears of each start once.
bool FrmPlay::nextSong(Started started) {
    if (entryCount() == 0) return false;
    return playAnnounced(entryAfter(currentEntry()), std::move(started));
}

int FrmPlay::entryAfter(int index) const {
    const int next = index + 1;
    return next >= 0 && next < entryCount() ? next : 0;
}

bool FrmPlay::playSelection(Started started) {
    const int entries = entryCount();
    if (entries == 0) return false;
    const int selected = lstPlay->listIndex();
    return playAnnounced(selected >= 0 && selected < entries ? selected : 0, std::move(started));
}

// An entry without a path starts nothing: that is echoed with the empty name.
bool FrmPlay::playAnnounced(int index, Started started) {
    lstPlay->setListIndex(index);
    stopIfStarted();
    if (playEntry(index, Start{.echoed = true, .started = std::move(started)})) return true;
    announcePlaying("");
    return false;
}

void FrmPlay::announcePlaying(const std::string& name) {
    console_.SendConsoleCommand(kEchoPlaying + console::outside(name));
}

// The entry before the current one (before the first, the last). When the
// current index lies past the end of a shortened list, the last entry is taken.
bool FrmPlay::prevSong(Started started) {
    const int entries = entryCount();
    if (entries == 0) return false;
    const int previous = currentEntry() - 1;
    const int target = previous < 0 || previous > entries - 1 ? entries - 1 : previous;
    lstPlay->setListIndex(target);
    stopIfStarted();
    return playEntry(target, Start{.started = std::move(started)});
}

// Plays entry `lstIndex` without stopping first (the caller stops). An index
// outside the playlist plays nothing.
bool FrmPlay::playlist(std::int16_t lstIndex, Started started) {
    if (lstIndex < 0 || lstIndex >= entryCount()) return false;
    lstPlay->setListIndex(lstIndex);
    return playEntry(lstIndex, Start{.started = std::move(started)});
}

}  // namespace varnok::player
