// The playback engine of the player window: start, resume, pause, stop and
// volume. Each started song gets a new media graph; the old one is stopped and
// released first.
#include <algorithm>

#include "player/FrmPlay.h"
#include "player/Numbers.h"
#include "ui/Application.h"

namespace varnok::player {

std::string FrmPlay::play(const std::string& filename) {
    if (mPlaying && PauseBb) resumePaused();
    if (!PauseBb) mFile = filename;
    if (mFile.empty() || mPlaying) return {};
    if (std::optional<std::string> name = startSong()) {
        skipDepth_ = 0;
        failedEntries_.clear();
        return *name;
    }
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
    graph = app.services.media.createGraph();
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

// A song that cannot be played is passed over: the entry after the failed one
// is tried at once (counting from the failed entry itself, so that the walk
// visits every entry in turn however the failed start was reached). Once every
// entry has failed in one run of skips (or the run grows past twice the list)
// the player stops instead of trying for ever.
std::string FrmPlay::skipUnplayable() {
    const int failed = lstPlay->listIndex();
    if (failed >= 0 &&
        std::find(failedEntries_.begin(), failedEntries_.end(), failed) == failedEntries_.end())
        failedEntries_.push_back(failed);
    ++skipDepth_;
    const int entries = entryCount();
    if (static_cast<int>(failedEntries_.size()) >= entries || skipDepth_ > 2 * entries) {
        skipDepth_ = 0;
        failedEntries_.clear();
        if (graph) graph->stop();
        mPlaying = false;
        PauseBb = false;
        mFile.clear();
        return {};
    }
    if (failed >= 0) mIndex = static_cast<std::int16_t>(failed);
    return nextSong();
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
