// Saving and loading the playlist: "Save Playlist" through a name prompt,
// "playlist.lst" at start-up, "Open Playlist" through a dialog and openIt2 by
// name. A load replaces the playlist only when the whole file was read, so a
// wrong name or a broken file never costs the user the list they have. Music
// players' .m3u and .m3u8 playlists load too; saving always writes .lst.
#include "player/FrmPlay.h"
#include "player/M3uFile.h"
#include "text/SystemPath.h"

namespace varnok::player {

namespace {
constexpr const char* kPlaylistFilter =
    "Playlists (*.lst;*.m3u;*.m3u8)|*.lst;*.m3u;*.m3u8|Playlist (*.lst)|*.lst|"
    "M3U (*.m3u)|*.m3u|M3U UTF-8 (*.m3u8)|*.m3u8";
constexpr const char* kStartUpPlaylist = "playlist";
}  // namespace

std::filesystem::path FrmPlay::playlistPath(const std::string& name,
                                            const std::string& extension) const {
    return savesFolder_ / text::toPath(name + extension);
}

std::vector<PlaylistEntry> FrmPlay::entries() const {
    std::vector<PlaylistEntry> list;
    for (int i = 0; i < entryCount(); ++i)
        list.push_back({mSongs[static_cast<std::size_t>(i)], lstPlay->item(i)});
    return list;
}

void FrmPlay::replacePlaylist(const std::vector<PlaylistEntry>& list) {
    lstPlay->clear();
    mSongs.clear();
    for (const PlaylistEntry& entry : list) {
        lstPlay->addItem(entry.name);
        mSongs.push_back(entry.path);
    }
}

PlaylistRead FrmPlay::loadFrom(const std::filesystem::path& file) {
    PlaylistRead read = isM3uFile(file) ? readM3uFile(file) : readPlaylistFile(file);
    if (read.outcome == PlaylistRead::Outcome::Read) replacePlaylist(read.entries);
    return read;
}

// An empty answer (a cancelled prompt too) saves under the name ".lst".
void FrmPlay::cmdSave_Click() {
    const std::string name =
        toolkit_.dialogs().inputBox("Enter the name of the playlist you want to save this as.",
                                    "Save Playlist", kStartUpPlaylist);
    if (std::optional<std::string> failure = writePlaylistFile(playlistPath(name), entries()))
        showError(*failure);
}

// No "playlist.lst" yet is normal on a first start and says nothing.
void FrmPlay::loadPlaylist() {
    const PlaylistRead read = loadFrom(playlistPath(kStartUpPlaylist));
    if (read.outcome == PlaylistRead::Outcome::Failed) showError(read.description);
}

void FrmPlay::cmdOpenList_Click() {
    const std::optional<std::string> chosen = toolkit_.dialogs().openFile(*window, kPlaylistFilter);
    if (!chosen) return;
    const PlaylistRead read = loadFrom(text::toPath(*chosen));
    if (read.outcome == PlaylistRead::Outcome::Failed) showError(read.description);
}

bool FrmPlay::openIt2(const std::string& name) {
    // Without a .lst of that name, a music player's playlist of that name.
    for (const char* extension : {".lst", ".m3u8", ".m3u"}) {
        const PlaylistRead read = loadFrom(playlistPath(name, extension));
        if (read.outcome != PlaylistRead::Outcome::Missing)
            return read.outcome == PlaylistRead::Outcome::Read;
    }
    return false;
}

}  // namespace varnok::player
