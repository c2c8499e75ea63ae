#pragma once
// The player window: the playlist, the transport and playlist buttons, the
// position and volume sliders, and the 100 ms timer that follows the song.
// The playback state and the playlist are its members.

#include <cstdint>
#include <filesystem>
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

    // Playback.
    std::string play(const std::string& filename);
    void Pause();
    void mStop();
    void volumetune(std::int16_t volu);

    // Playlist navigation.
    std::string nextSong();
    std::string prevSong();
    std::string playlist(std::int16_t lstIndex);
    // Plays the selected entry (the first when none is selected), announced in
    // the console as nextSong announces its song.
    std::string playSelection();
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
    // The start sequence of play(): a new graph for mFile, rendered, running,
    // at the slider's volume. The song's name, or nothing when a step failed.
    std::optional<std::string> startSong();
    // After a failed start: tries the following entries until one starts or
    // every entry has failed. The name of the song started.
    std::string skipUnplayable();
    // Stops the failed graph and lets it go with its files; not playing.
    void dropFailedStart();
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
    // Selects `index` and plays the path there; empty when there is none.
    std::string playEntry(int index);
    // Selects `index`, stops the song before it, plays it and echoes its name.
    std::string playAnnounced(int index);

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

    bool positionSet_ = false;  // a song has rendered at least once
    bool skipping_ = false;     // skipUnplayable is walking the list
    int echoes_ = 0;            // "Currently Playing" lines sent so far
};

}  // namespace varnok::player
