// The playback of the player window: start, resume, pause, stop and volume,
// and the moves through the playlist (play the selection, next, previous, play
// by index; every caller selects the entry before play() takes it as
// current). Each started song gets a new media graph; the old one is stopped
// and released first.
#include <algorithm>

#include "player/FrmPlay.h"
#include "player/Numbers.h"

namespace varnok::player {

namespace {
constexpr const char* kEchoPlaying = "echo ^1Currently Playing: ^4";
}

std::string FrmPlay::play(const std::string& filename) {
    if (mPlaying && PauseBb) resumePaused();
    if (!PauseBb) mFile = filename;
    if (mFile.empty() || mPlaying) return {};
    if (std::optional<std::string> name = startSong()) return *name;
    return skipUnplayable();
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

std::optional<std::string> FrmPlay::startSong() {
    if (graph) graph->stop();
    graph.reset();
    graph = media_.createGraph();
    if (!graph || !graph->renderFile(mFile)) return std::nullopt;
    positionSet_ = true;
    tmrMusic->setEnabled(true);
    if (!graph->run()) return std::nullopt;

    const int selected = lstPlay->listIndex();
    mIndex = static_cast<std::int16_t>(selected);
    const std::string name = selected >= 0 ? lstPlay->item(selected) : std::string();
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
// one are tried in turn (counting from the failed entry itself, so that the
// walk visits every entry however the failed start was reached). It is one
// loop bounded by the list, not a call nested per entry, so a long list of
// missing songs costs no stack; each failed graph is released before the next
// attempt, and the windows are served between attempts. Once every entry has
// failed the player stops. The song reached, or the stop, is announced once.
std::string FrmPlay::skipUnplayable() {
    dropFailedStart();
    // A start made from the windows while a skip runs leaves the walking to it.
    if (skipping_) return {};
    skipping_ = true;
    const int failed = lstPlay->listIndex();
    int at = failed >= 0 ? failed : mIndex;
    int attempts = 0;
    std::optional<std::string> started;
    for (int left = entryCount() - (failed >= 0 ? 1 : 0); left > 0 && !started; --left) {
        toolkit_.yield();
        // The program ended, or the user started a song meanwhile.
        if (toolkit_.ended() || mPlaying) break;
        if (entryCount() == 0) break;
        at = entryAfter(at);
        ++attempts;
        lstPlay->setListIndex(at);
        stopIfStarted();
        mFile = mSongs[static_cast<std::size_t>(at)];
        if (!mFile.empty()) started = startSong();
        if (!started) dropFailedStart();
    }
    skipping_ = false;
    if (!started) {
        if (mPlaying) return {};  // the user's own start stands
        PauseBb = false;
        mFile.clear();
        if (at >= 0) mIndex = static_cast<std::int16_t>(at);
    }
    if (attempts > 0 && !toolkit_.ended()) announcePlaying(started.value_or(""));
    return started.value_or("");
}

void FrmPlay::Pause() {
    if (!mPlaying) return;
    if (graph) graph->pause();
    PauseBb = true;
}

// Every step is tried on its own: before the first song there is no graph and
// only the slider, the flags and the file change.
void FrmPlay::mStop() {
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

std::string FrmPlay::playEntry(int index) {
    if (index < 0 || index >= entryCount()) return {};
    return play(mSongs[static_cast<std::size_t>(index)]);
}

// The entry after the current one (after the last, the first), announced in
// the game's console. An empty playlist has nothing to move to. When the entry
// cannot be played, the skip announces the song it reaches and returns its
// name here, so the console hears of each started song once.
std::string FrmPlay::nextSong() {
    if (entryCount() == 0) return {};
    return playAnnounced(entryAfter(mIndex));
}

int FrmPlay::entryAfter(int index) const {
    const int next = index + 1;
    return next >= 0 && next < entryCount() ? next : 0;
}

std::string FrmPlay::playSelection() {
    const int entries = entryCount();
    if (entries == 0) return {};
    const int selected = lstPlay->listIndex();
    return playAnnounced(selected >= 0 && selected < entries ? selected : 0);
}

std::string FrmPlay::playAnnounced(int index) {
    lstPlay->setListIndex(index);
    stopIfStarted();
    const int echoesBefore = echoes_;
    const std::string name = playEntry(index);
    if (echoes_ == echoesBefore) announcePlaying(name);
    return name;
}

void FrmPlay::announcePlaying(const std::string& name) {
    console_.SendConsoleCommand(kEchoPlaying + console::outside(name));
    ++echoes_;
}

// The entry before the current one (before the first, the last). When the
// current index lies past the end of a shortened list, the last entry is taken.
std::string FrmPlay::prevSong() {
    const int entries = entryCount();
    if (entries == 0) return {};
    const int previous = mIndex - 1;
    const int target = previous < 0 || previous > entries - 1 ? entries - 1 : previous;
    lstPlay->setListIndex(target);
    stopIfStarted();
    return playEntry(target);
}

// Plays entry `lstIndex` without stopping first (the caller stops). An index
// outside the playlist plays nothing.
std::string FrmPlay::playlist(std::int16_t lstIndex) {
    if (lstIndex < 0 || lstIndex >= entryCount()) return {};
    lstPlay->setListIndex(lstIndex);
    return playEntry(lstIndex);
}

}  // namespace varnok::player
