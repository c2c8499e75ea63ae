#pragma once
// The folder picker: a drive list and a folder list; "Ok" adds the chosen
// folder's songs to the playlist. The main and player windows are hidden while
// it is open and come back however it closes.

#include <memory>

#include "player/FolderPicker.h"
#include "ports/Toolkit.h"

namespace varnok::player {

// The main window as the picker sees it: centred over, hidden while the
// picker is open, shown again after.
class FrmPlay;

class PickerHost {
  public:
    virtual ~PickerHost() = default;
    virtual ui::Window& mainWindow() = 0;
};

class FrmPickFolder : public FolderPicker {
  public:
    FrmPickFolder(ui::Toolkit& toolkit, FrmPlay& frmPlay, PickerHost& host);

    // Shows the picker centred over the main window without waiting for it;
    // Form_Load hides the main and
    // player windows each time it opens.
    void open() override;

    void Form_Load();
    void drv_Change();
    void cmdOk_Click();
    void cmdCancel_Click();

    std::unique_ptr<ui::Window> window;
    std::unique_ptr<ui::DriveList> drv;
    std::unique_ptr<ui::FolderList> Dir;
    std::unique_ptr<ui::Button> cmdOk, cmdCancel;

  private:
    ui::Toolkit& toolkit_;
    FrmPlay& frmPlay_;
    PickerHost& host_;
};

}  // namespace varnok::player
