#pragma once
// The player window: the playlist, the transport and playlist buttons, the
// position and volume sliders, and the 100 ms timer that follows the song.
// The playback state and the playlist are its members.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/ConsoleLink.h"
#include "player/FolderPicker.h"
#include "player/PlaylistFile.h"
#include "ports/MediaGraph.h"
#include "ports/Toolkit.h"

namespace varnok::player {

class FrmPlay {
  public:
    // `picker` ("Add Folder") may be created after this window: it is used
    // only once the windows run.
    FrmPlay(ui::Toolkit& toolkit, MediaGraphFactory& media, console::ConsoleLink& console,
            std::filesystem::path savesFolder, FolderPicker& picker);
    ~FrmPlay();

    // Runs when the window is created: loads the start-up playlist and sets
    // the volume slider.
    void Form_Load();

    // Told, once a start has ended, the name of the song it reached (the entry
    // asked for, or the next playable one after it), or the empty name when no
    // entry could be played.
    using Started = std::function<void(const std::string& name)>;

    // Playback. A start opens its song in the background and returns at once:
    // the song runs, is selected and (for a start that says so) echoed in the
    // console, and `started` is told, inside a later yield. The starts answer
    // true when they began to open a song (and `started` will be told); false
    // when there was nothing to start.
    bool play(const std::string& filename, Started started = {});
    void Pause();
    // Stops the song, and a start still opening one.
    void mStop();
    void volumetune(std::int16_t volu);
    // A start is opening a song (or the entries after one that cannot play).
    bool opening() const { return start_.has_value(); }

    // Playlist navigation; while a start opens a song, next and previous count
    // from that song's entry.
    bool nextSong(Started started = {});
    bool prevSong(Started started = {});
    bool playlist(std::int16_t lstIndex, Started started = {});
    // Plays the selected entry (the first when none is selected), echoed in
    // the console as nextSong echoes its song.
    bool playSelection(Started started = {});
    void addFolder();
    bool addFileFromDialog();

    // Playlist files.
    void loadPlaylist();
    bool openIt2(const std::string& name);

    // Handlers.
    void cmdPlay_Click();
    void cmdPause_Click();
    void cmdStop_Click();
    void cmdOpenList_Click();
    void cmdSave_Click();
    void cmdAddFile_Click();
    void cmdDir_Click();
    void cmdRemove_Click();
    void cmdClear_Click();
    void sldVol_Moved();
    void Slider3_Moved();
    void tmrMusic_Timer();

    std::unique_ptr<ui::Window> window;
    std::unique_ptr<ui::Label> lblLength, Label1;
    std::unique_ptr<ui::Slider> Slider3, sldVol;
    std::unique_ptr<ui::ListBox> lstPlay;
    std::unique_ptr<ui::Button> cmdPlay, cmdStop, cmdPause, cmdOpenList, cmdSave;
    std::unique_ptr<ui::Button> cmdDir, cmdRemove, cmdAddFile, cmdClear;
    std::unique_ptr<ui::CheckBox> Check1;  // "Say the currently playing song"
    std::unique_ptr<ui::Timer> tmrMusic;

    // Playback state.
    std::string mFile;
    bool mPlaying = false;
    bool PauseBb = false;
    double mDuration = 0.0;
    std::unique_ptr<MediaGraph> graph;  // the current song's graph; null before the first

    // The playlist: displayed names in lstPlay, full paths at the same indices.
    std::vector<std::string> mSongs;
    std::int16_t mIndex = 0;
    std::string songDir;

  private:
    // A start under way: the entry it opens, whether its end is echoed, who
    // waits to hear of it, and its walk past entries that cannot be played.
    struct Start {
        bool echoed = false;
        Started started;
        int entry = -1;  // the entry being opened; -1 for a file with no entry selected
        int walked = 0;  // entries tried after the first one failed
        int left = -1;   // entries still to try; counted at the first failure
    };

    bool playFile(const std::string& filename, Start start);
    // Opens mFile in a new graph, the previous one stopped and released first.
    void openCurrentFile();
    // The graph has opened mFile, or found it unplayable.
    void fileOpened(bool playable);
    // The rest of the start once the file is open: running, at normal speed,
    // at the slider's volume. The song's name, or nothing when a step failed.
    std::optional<std::string> runOpened();
    // After an entry failed: the next entry to try becomes mFile and is
    // selected; false once every entry has failed.
    bool moveOn();
    // The start has ended with the song named, or with none that could play.
    void finishStart(const std::optional<std::string>& name);
    // The entry next and previous count from.
    int currentEntry() const;
    // Stops the failed graph and lets it go with its files; not playing.
    void dropFailedStart();
    // mStop without touching a start: the graph stopped and rewound, the
    // position slider, the flags and the file reset.
    void stopPlayback();
    // "Currently Playing" with the song's name, in the game's console.
    void announcePlaying(const std::string& name);
    void resumePaused();

    // Entries of the playlist; both lists always have this many.
    int entryCount() const;
    // Appends a song to both lists; false when the playlist is full.
    bool appendSong(const std::string& name, const std::string& path);
    std::vector<PlaylistEntry> entries() const;
    void replacePlaylist(const std::vector<PlaylistEntry>& entries);
    // The stop of the previous song before a new one, only once a song has run.
    void stopIfStarted();
    // The entry after `index`: the first after the last, or for an index
    // outside the list.
    int entryAfter(int index) const;
    // Plays the path of entry `index` (the caller selected it); false when
    // there is none.
    bool playEntry(int index, Start start);
    // Selects `index`, stops the song before it, plays it and echoes the name
    // of the song it reaches.
    bool playAnnounced(int index, Started started);

    // Playlist files.
    std::filesystem::path playlistPath(const std::string& name,
                                       const std::string& extension = ".lst") const;
    // Reads `file` into the playlist; the playlist stays as it was unless
    // every announced pair could be read.
    PlaylistRead loadFrom(const std::filesystem::path& file);
    void showError(const std::string& description);

    ui::Toolkit& toolkit_;
    MediaGraphFactory& media_;
    console::ConsoleLink& console_;  // the "Currently Playing" echo
    std::filesystem::path savesFolder_;
    FolderPicker& picker_;

    bool positionSet_ = false;  // a song has opened at least once
    std::optional<Start> start_;
};

}  // namespace varnok::player
