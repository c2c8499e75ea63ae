#pragma once
// The folder picker: a drive list and a folder list; "Ok" adds the chosen
// folder's songs to the playlist. The main and player windows are hidden while
// it is open and come back however it closes.

#include <memory>

#include "ports/Toolkit.h"

namespace varnok::ui {
class Application;
}

namespace varnok::player {

class FrmPickFolder {
  public:
    explicit FrmPickFolder(ui::Application& app);

    // Shows the picker centred over the main window without waiting for it;
    // Form_Load hides the main and
    // player windows each time it opens.
    void open();

    void Form_Load();
    void drv_Change();
    void cmdOk_Click();
    void cmdCancel_Click();

    ui::Application& app;
    std::unique_ptr<ui::Window> window;
    std::unique_ptr<ui::DriveList> drv;
    std::unique_ptr<ui::FolderList> Dir;
    std::unique_ptr<ui::Button> cmdOk, cmdCancel;
};

}  // namespace varnok::player
