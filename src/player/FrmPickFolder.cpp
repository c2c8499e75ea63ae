#include "player/FrmPickFolder.h"

#include "player/FrmPlay.h"
#include "ports/Placement.h"

namespace varnok::player {

namespace {

ui::WindowSpec pickerWindow() {
    return {.name = "frmPickFolder",
            .caption = "Pick Folder",
            .clientWidth = 4725,
            .clientHeight = 4275};
}

}  // namespace

FrmPickFolder::FrmPickFolder(ui::Toolkit& toolkit, FrmPlay& frmPlay, PickerHost& host)
    : toolkit_(toolkit), frmPlay_(frmPlay), host_(host) {
    ui::Toolkit& tk = toolkit_;
    window = tk.createWindow(pickerWindow());
    drv = tk.createDriveList(*window, {.name = "drv", .rect = {480, 120, 3015, 315}});
    Dir = tk.createFolderList(*window, {.name = "Dir", .rect = {480, 480, 3015, 3015}});
    cmdOk = tk.createButton(*window, {.name = "cmdOk",
                                      .caption = "Ok",
                                      .rect = {840, 3600, 975, 495},
                                      .align = ui::Align::Centre});
    cmdCancel = tk.createButton(*window, {.name = "cmdCancel",
                                          .caption = "Cancel",
                                          .rect = {2160, 3600, 975, 495},
                                          .align = ui::Align::Centre});

    drv->onChange([this] { drv_Change(); });
    cmdOk->onClick([this] { cmdOk_Click(); });
    cmdCancel->onClick([this] { cmdCancel_Click(); });
    // Closing through the frame leaves everything as it was, like "Cancel".
    window->onClose([this] { cmdCancel_Click(); });
}

void FrmPickFolder::open() {
    ui::centreOver(*window, host_.mainWindow(), toolkit_.workArea());
    Form_Load();
    window->show();
    window->focus();
}

void FrmPickFolder::Form_Load() {
    frmPlay_.window->hide();
    host_.mainWindow().hide();
}

void FrmPickFolder::drv_Change() {
    const int index = drv->listIndex();
    if (index >= 0 && index < drv->count()) Dir->setPath(drv->drive(index));
}

void FrmPickFolder::cmdOk_Click() {
    frmPlay_.songDir = Dir->path();
    frmPlay_.addFolder();
    window->hide();
    frmPlay_.window->show();
    host_.mainWindow().show();
}

void FrmPickFolder::cmdCancel_Click() {
    frmPlay_.window->show();
    host_.mainWindow().show();
    window->hide();
}

}  // namespace varnok::player
