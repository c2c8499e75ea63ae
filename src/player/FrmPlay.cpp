// The player window: its window and controls, its handlers and its 100 ms
// timer, the playlist's editing (add a file or a folder's songs, remove,
// clear; none of them touches the song that plays or the current index) and
// its files ("Save Playlist" through a name prompt, "playlist.lst" at
// start-up, "Open Playlist" through a dialog and openIt2 by name; a load
// replaces the playlist only when the whole file was read, music players'
// .m3u and .m3u8 playlists load too, saving always writes .lst). The
// playback and the moves through the list are in Playback.cpp.
#include "player/FrmPlay.h"

#include <cmath>
#include <utility>

#include "player/FolderScan.h"
#include "player/FrmPlayLayout.h"
#include "player/M3uFile.h"
#include "player/Numbers.h"
#include "text/SystemPath.h"

namespace varnok::player {

namespace pl = playlayout;

namespace {
constexpr unsigned kMusicTimerMs = 100;
constexpr const char* kSongFilters =
    "MP3  (*.mp3)|*.mp3|Windows Media Audio (*.wma)|*.wma|Wave (*.wav)|*.wav|"
    "MPEG-4 Audio (*.m4a;*.aac)|*.m4a;*.aac|FLAC (*.flac)|*.flac|"
    "Ogg Vorbis and Opus (*.ogg;*.oga;*.opus)|*.ogg;*.oga;*.opus";
constexpr const char* kPlaylistFilter =
    "Playlists (*.lst;*.m3u;*.m3u8)|*.lst;*.m3u;*.m3u8|Playlist (*.lst)|*.lst|"
    "M3U (*.m3u)|*.m3u|M3U UTF-8 (*.m3u8)|*.m3u8";
constexpr const char* kStartUpPlaylist = "playlist";

// Every song ending first, then each format on its own.
std::string songFilter() {
    std::string patterns;
    for (std::string_view ending : kSongExtensions)
        patterns += (patterns.empty() ? "*" : ";*") + std::string(ending);
    return "Songs (" + patterns + ")|" + patterns + "|" + kSongFilters;
}

std::string wholeSeconds(double seconds) {
    return std::to_string(static_cast<long long>(std::floor(seconds)));
}
}  // namespace

FrmPlay::FrmPlay(ui::Toolkit& toolkit, MediaGraphFactory& media, console::ConsoleLink& console,
                 std::filesystem::path savesFolder, FolderPicker& picker)
    : toolkit_(toolkit),
      media_(media),
      console_(console),
      savesFolder_(std::move(savesFolder)),
      picker_(picker) {
    ui::Toolkit& tk = toolkit_;
    window = tk.createWindow(pl::window());
    ui::Window& w = *window;

    lblLength = tk.createLabel(w, pl::grey("lblLength", "Position:", {720, 360, 2655, 375}));
    Slider3 = tk.createSlider(
        w, {.control = {.name = "Slider3", .rect = {720, 720, 2655, 375}, .background = pl::kGrey},
            .orientation = ui::Orientation::Horizontal,
            .min = 0,
            .max = 10,
            .smallStep = 1,
            .largeStep = 5});
    lstPlay = tk.createListBox(w, {.name = "lstPlay", .rect = {360, 1200, 3495, 2985}});
    cmdPlay = tk.createButton(w, pl::grey("cmdPlay", "Play", {3960, 1200, 1095, 495}));
    cmdStop = tk.createButton(w, pl::grey("cmdStop", "Stop", {3960, 1800, 1095, 495}));
    cmdPause = tk.createButton(w, pl::grey("cmdPause", "Pause", {3960, 2400, 1095, 495}));
    cmdOpenList =
        tk.createButton(w, pl::grey("cmdOpenList", "Open Playlist", {3960, 3000, 1095, 495}));
    cmdSave = tk.createButton(w, pl::grey("cmdSave", "Save Playlist", {3960, 3600, 1095, 495}));
    Label1 = tk.createLabel(w, pl::grey("Label1", "Volume:", {5400, 1440, 855, 375}));
    sldVol = tk.createSlider(
        w, {.control = {.name = "sldVol", .rect = {5580, 1800, 495, 2055}, .background = pl::kGrey},
            .orientation = ui::Orientation::Vertical,
            .min = 0,
            .max = 20,
            .smallStep = 1,
            .largeStep = 2});
    cmdDir = tk.createButton(w, pl::grey("cmdDir", "Add Folder", {840, 4440, 1095, 375}));
    cmdRemove = tk.createButton(w, pl::grey("cmdRemove", "Remove", {2040, 4440, 1095, 375}));
    cmdAddFile = tk.createButton(w, pl::grey("cmdAddFile", "Add File", {840, 4920, 1095, 375}));
    cmdClear = tk.createButton(w, pl::grey("cmdClear", "Clear", {2040, 4920, 1095, 375}));
    Check1 = tk.createCheckBox(w, pl::grey("Check1", "Say the currently playing song",
                                           {3600, 4440, 2535, 375}, ui::Align::Left));
    Check1->setValue(1);

    cmdPlay->onClick([this] { cmdPlay_Click(); });
    cmdStop->onClick([this] { cmdStop_Click(); });
    cmdPause->onClick([this] { cmdPause_Click(); });
    cmdOpenList->onClick([this] { cmdOpenList_Click(); });
    cmdSave->onClick([this] { cmdSave_Click(); });
    cmdDir->onClick([this] { cmdDir_Click(); });
    cmdRemove->onClick([this] { cmdRemove_Click(); });
    cmdAddFile->onClick([this] { cmdAddFile_Click(); });
    cmdClear->onClick([this] { cmdClear_Click(); });
    sldVol->onUserMove([this] { sldVol_Moved(); });
    Slider3->onUserMove([this] { Slider3_Moved(); });

    tmrMusic = tk.createTimer(w, kMusicTimerMs, false, [this] { tmrMusic_Timer(); });
}

FrmPlay::~FrmPlay() = default;

// No volume goes to the platform here: the first started song takes it from
// the slider.
void FrmPlay::Form_Load() {
    loadPlaylist();
    sldVol->setValue(5);
}

// --- Handlers ----------------------------------------------------------------

// While a song is paused the stop is skipped, so play() resumes it whatever
// entry is selected.
void FrmPlay::cmdPlay_Click() {
    if (positionSet_ && !PauseBb) cmdStop_Click();
    if (lstPlay->listIndex() < 0) lstPlay->setListIndex(mIndex);
    playEntry(lstPlay->listIndex(), Start{});
}

void FrmPlay::cmdPause_Click() {
    Pause();
}

void FrmPlay::cmdStop_Click() {
    mStop();
}

void FrmPlay::cmdOpenList_Click() {
    const std::optional<std::string> chosen = toolkit_.dialogs().openFile(*window, kPlaylistFilter);
    if (!chosen) return;
    const PlaylistRead read = loadFrom(text::toPath(*chosen));
    if (read.outcome == PlaylistRead::Outcome::Failed) showError(read.description);
}

// An empty answer (a cancelled prompt too) saves under the name ".lst".
void FrmPlay::cmdSave_Click() {
    const std::string name =
        toolkit_.dialogs().inputBox("Enter the name of the playlist you want to save this as.",
                                    "Save Playlist", kStartUpPlaylist);
    if (std::optional<std::string> failure = writePlaylistFile(playlistPath(name), entries()))
        showError(*failure);
}

void FrmPlay::cmdAddFile_Click() {
    addFileFromDialog();
}

// The picker shows itself without waiting; its "Ok" sets songDir and calls addFolder.
void FrmPlay::cmdDir_Click() {
    picker_.open();
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

void FrmPlay::sldVol_Moved() {
    if (mPlaying && graph) graph->setVolume(graphVolume(sldVol->value()));
}

void FrmPlay::Slider3_Moved() {
    if (mPlaying && graph) graph->setPosition(static_cast<double>(Slider3->value()));
}

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

// --- Editing the playlist ----------------------------------------------------

bool FrmPlay::appendSong(const std::string& name, const std::string& path) {
    if (entryCount() >= kMostSongs) return false;
    lstPlay->addItem(name);
    mSongs.push_back(path);
    return true;
}

void FrmPlay::showError(const std::string& description) {
    toolkit_.dialogs().messageBox(description, "Error", ui::MessageIcon::Error);
}

bool FrmPlay::addFileFromDialog() {
    const std::optional<std::string> chosen = toolkit_.dialogs().openFile(*window, songFilter());
    if (!chosen) return false;
    if (!appendSong(fileNameOf(*chosen), *chosen)) {
        showError("The playlist is full: it holds " + std::to_string(kMostSongs) + " songs");
        return false;
    }
    return true;
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

// --- Playlist files ----------------------------------------------------------

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

// No "playlist.lst" yet is normal on a first start and says nothing.
void FrmPlay::loadPlaylist() {
    const PlaylistRead read = loadFrom(playlistPath(kStartUpPlaylist));
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
