// Placeholder bodies for the player window's operations, replaced by the music
// player (playback, playlist, playlist files). They do nothing yet.
#include "player/FrmPickFolder.h"
#include "player/FrmPlay.h"
#include "ui/Application.h"

namespace varnok::player {

void FrmPlay::Form_Load() {}
std::string FrmPlay::play(const std::string&) {
    return {};
}
void FrmPlay::Pause() {}
void FrmPlay::mStop() {}
void FrmPlay::volumetune(std::int16_t) {}
std::string FrmPlay::nextSong() {
    return {};
}
std::string FrmPlay::prevSong() {
    return {};
}
std::string FrmPlay::playlist(std::int16_t) {
    return {};
}
void FrmPlay::addFolder() {}
bool FrmPlay::addFileFromDialog() {
    return false;
}
void FrmPlay::loadPlaylist() {}
bool FrmPlay::openIt2(const std::string&) {
    return false;
}
void FrmPlay::cmdPlay_Click() {}
void FrmPlay::cmdPause_Click() {}
void FrmPlay::cmdStop_Click() {}
void FrmPlay::cmdOpenList_Click() {}
void FrmPlay::cmdSave_Click() {}
void FrmPlay::cmdAddFile_Click() {}
void FrmPlay::cmdDir_Click() {}
void FrmPlay::cmdRemove_Click() {}
void FrmPlay::cmdClear_Click() {}
void FrmPlay::sldVol_Moved() {}
void FrmPlay::Slider3_Moved() {}
void FrmPlay::tmrMusic_Timer() {}

FrmPickFolder::FrmPickFolder(ui::Application& app_) : app(app_) {}
void FrmPickFolder::Form_Load() {}
void FrmPickFolder::drv_Change() {}
void FrmPickFolder::cmdOk_Click() {}
void FrmPickFolder::cmdCancel_Click() {}

}  // namespace varnok::player
