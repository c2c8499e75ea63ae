// Filling and trimming the playlist: add a file from the dialog, add a
// folder's songs, remove the selected entry, clear. None of them touches the
// song that plays or the current index.
#include "player/FolderScan.h"
#include "player/FrmPickFolder.h"
#include "player/FrmPlay.h"
#include "text/SystemPath.h"

namespace varnok::player {

namespace {
constexpr const char* kSongFilter =
    "MP3  (*.mp3)|*.mp3|Windows Media Audio (*.wma)|*.wma|Wave (*.wav)|*.wav";
}  // namespace

bool FrmPlay::appendSong(const std::string& name, const std::string& path) {
    if (entryCount() >= kMostSongs) return false;
    lstPlay->addItem(name);
    mSongs.push_back(path);
    return true;
}

void FrmPlay::showError(const std::string& description) {
    toolkit_.dialogs().messageBox(description, "Error", ui::MessageIcon::Error);
}

void FrmPlay::cmdAddFile_Click() {
    addFileFromDialog();
}

bool FrmPlay::addFileFromDialog() {
    const std::optional<std::string> chosen = toolkit_.dialogs().openFile(*window, kSongFilter);
    if (!chosen) return false;
    if (!appendSong(fileNameOf(*chosen), *chosen)) {
        showError("The playlist is full: it holds " + std::to_string(kMostSongs) + " songs");
        return false;
    }
    return true;
}

// The picker shows itself without waiting; its "Ok" sets songDir and calls addFolder.
void FrmPlay::cmdDir_Click() {
    picker_.open();
}

// Adds the songs of songDir in the file list's order; sub-folders are not
// entered and songs already listed are added again. A folder that cannot be
// listed adds nothing.
void FrmPlay::addFolder() {
    const std::optional<std::vector<std::string>> names = listFileNames(text::toPath(songDir));
    if (!names) return;
    for (const std::string& name : *names) {
        if (!isSongName(name)) continue;
        if (!appendSong(name, joinFolder(songDir, name))) return;
    }
}

void FrmPlay::cmdRemove_Click() {
    const int removed = lstPlay->listIndex();
    if (removed < 0 || removed >= entryCount()) return;
    lstPlay->removeItem(removed);
    mSongs.erase(mSongs.begin() + removed);
    lstPlay->setListIndex(removed < entryCount() ? removed : -1);
}

void FrmPlay::cmdClear_Click() {
    lstPlay->clear();
    mSongs.clear();
}

}  // namespace varnok::player
