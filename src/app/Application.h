#pragma once
// The whole program, composed: the console link and the four windows, created
// once and alive for the whole run, each given the collaborators it uses. Only
// the composition (this, main.cpp and the tests' fixtures) sees everything.

#include "app/FrmMain.h"
#include "app/MainWindowLink.h"
#include "app/Services.h"
#include "console/ConsoleLink.h"
#include "console/GameLink.h"
#include "player/FrmPickFolder.h"
#include "player/FrmPlay.h"
#include "replies/MnuCustomize.h"

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
    std::filesystem::path savesFolder() const { return services.savesFolder(); }

    Services services;
    console::ConsoleLink console;  // the chat layer: every line typed
    console::GameLink game;        // the game found, its ear and its mouth
    MainWindowLink mainLink;       // the main window, for the windows made before it
    replies::MnuCustomize mnuCustomize;
    player::FrmPlay frmPlay;
    player::FrmPickFolder frmPickFolder;
    FrmMain frmMain;
};

}  // namespace varnok::ui
