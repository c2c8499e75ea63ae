#pragma once
// The main window as the message editor and the folder picker see it. Both
// are created before the main window (the windows come to life in the
// original program's order), so they are given this link, which the
// application points at the main window once that exists.

#include "app/FrmMain.h"
#include "player/FrmPickFolder.h"
#include "replies/MnuCustomize.h"

namespace varnok::ui {

class MainWindowLink : public replies::EditorHost, public player::PickerHost {
  public:
    Window& mainWindow() override { return *frmMain->window; }
    replies::ReplyMessages& replyMessages() override { return frmMain->messages; }

    FrmMain* frmMain = nullptr;
};

}  // namespace varnok::ui
