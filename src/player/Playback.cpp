// The playback engine of the player window: start, resume, pause, stop and
// volume. Each started song gets a new media graph; the old one is stopped and
// released first.
#include "player/FrmPlay.h"
#include "player/Numbers.h"

namespace varnok::player {

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

void FrmPlay::cmdPause_Click() {
    Pause();
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

void FrmPlay::cmdStop_Click() {
    mStop();
}

void FrmPlay::volumetune(std::int16_t volu) {
    sldVol->setValue(sliderForLoudness(volu));  // refused outside 0..20
    if (graph) graph->setVolume(graphVolume(sldVol->value()));
}

}  // namespace varnok::player
