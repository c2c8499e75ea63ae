// The player window's timer and sliders: the timer follows the song every
// 100 ms and moves on at its end; the sliders seek and set the volume while a
// song is loaded. The timer's own slider updates are set from code and never
// count as the user's moves, so they never seek.
#include <cmath>

#include "player/FrmPlay.h"
#include "player/Numbers.h"

namespace varnok::player {

namespace {
std::string wholeSeconds(double seconds) {
    return std::to_string(static_cast<long long>(std::floor(seconds)));
}
}  // namespace

void FrmPlay::tmrMusic_Timer() {
    if (!mPlaying || !graph) return;
    const std::optional<double> at = graph->position();
    if (!at) return;
    Slider3->setValue(static_cast<int>(roundHalfEven(*at)));
    const std::optional<double> duration = graph->duration();
    if (!duration) return;
    lblLength->setCaption("Position: " + wholeSeconds(*at) + "/" + wholeSeconds(*duration));

    // The song has played to its very end: on to the next entry.
    if (*at != *duration) return;
    graph->stop();
    mPlaying = false;
    PauseBb = false;
    mFile.clear();
    nextSong();
}

void FrmPlay::sldVol_Moved() {
    if (mPlaying && graph) graph->setVolume(graphVolume(sldVol->value()));
}

void FrmPlay::Slider3_Moved() {
    if (mPlaying && graph) graph->setPosition(static_cast<double>(Slider3->value()));
}

}  // namespace varnok::player
