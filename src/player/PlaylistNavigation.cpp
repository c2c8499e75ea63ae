// Moving through the playlist: play the selection, next, previous and play by
// index. Every caller selects the entry before play() takes it as current.
#include <algorithm>

#include "player/FrmPlay.h"

namespace varnok::player {

namespace {
constexpr const char* kEchoPlaying = "echo ^1Currently Playing: ^4";
}

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

// While a song is paused the stop is skipped, so play() resumes it whatever
// entry is selected.
void FrmPlay::cmdPlay_Click() {
    if (positionSet_ && !PauseBb) cmdStop_Click();
    if (lstPlay->listIndex() < 0) lstPlay->setListIndex(mIndex);
    playEntry(lstPlay->listIndex());
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
