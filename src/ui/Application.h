#pragma once
// The whole program: the console link and the four windows, created once and
// alive for the whole run. Windows reach each other through the application,
// the way the player window's buttons reach the main window and back.

#include "console/ConsoleLink.h"
#include "player/FrmPickFolder.h"
#include "player/FrmPlay.h"
#include "replies/MnuCustomize.h"
#include "ui/FrmMain.h"
#include "ui/Services.h"

namespace varnok::ui {

class Application {
  public:
    explicit Application(const Services& services);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Start-up and the main loop; returns only once the program has ended
    // (which on Windows ends the process instead).
    void run() { frmMain.Form_Load(); }

    // The "Saves" folder beside the program.
    std::filesystem::path savesFolder() const { return services.programFolder / "Saves"; }

    Services services;
    console::ConsoleLink console;
    replies::MnuCustomize mnuCustomize;
    player::FrmPlay frmPlay;
    player::FrmPickFolder frmPickFolder;
    FrmMain frmMain;
};

}  // namespace varnok::ui
