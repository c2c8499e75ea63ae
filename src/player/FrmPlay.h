#pragma once
// The player window: the playlist, the transport and playlist buttons, the
// position and volume sliders, and the 100 ms timer that follows the song.
// The playback state and the playlist are its members.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "player/MediaGraph.h"
#include "ui/Toolkit.h"

namespace varnok::ui {
class Application;
}

namespace varnok::player {

class FrmPlay {
  public:
    explicit FrmPlay(ui::Application& app);
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

    ui::Application& app;
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
    std::int16_t mCount = 0;
    std::int16_t mIndex = 0;
    std::string songDir;
};

}  // namespace varnok::player
