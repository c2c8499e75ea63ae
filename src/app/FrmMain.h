#pragma once
// The main window: the three duel reply templates, the latest console text, the
// status line, "Back to Game", "Playlist", the docking check box and the menu
// bar. Its load handler hosts the start-up and the main loop (the engine). It
// is the host through which the engine and the commands reach its controls.

#include <memory>
#include <string>

#include "app/Services.h"
#include "commands/CommandContext.h"
#include "console/ConsoleLink.h"
#include "console/GameLink.h"
#include "engine/Engine.h"
#include "engine/MainWindowControls.h"
#include "player/FrmPlay.h"
#include "ports/Toolkit.h"
#include "replies/MnuCustomize.h"
#include "replies/ReplyMessages.h"

namespace varnok::ui {

class FrmMain : public engine::MainWindowControls, public commands::MainWindowHost {
  public:
    FrmMain(const Services& services, console::ConsoleLink& console, console::GameLink& game,
            player::FrmPlay& frmPlay, replies::MnuCustomize& mnuCustomize);

    // Start-up, then turns of the loop until the program ends.
    void Form_Load();
    // Everything before the loop: windows created and placed, then the engine's start-up.
    void startUp();

    void chkPlaylist_Click();
    void cmdViewPlay_Click();
    void cmdBack_Click();
    void Form_Unload();
    void mnuExit_Click();
    void mnuSave_Click();
    void mnuOpen_Click();
    void mnuStartGame_Click();
    // Starts the game `exe` with `arguments` on Varnok's console; a game that
    // does not start is told in an error box.
    void startGame(const std::filesystem::path& exe, const std::vector<std::string>& arguments);
    // Loads the reply file of this name from the "Saves" folder; true only when
    // the whole file was valid and the set, the templates and the options changed.
    bool loadReplies(const std::string& name) override;
    void mnuMsg_Click(int index);
    void mnuAddFile_Click();
    void mnuAddFolder_Click();
    void mnuClearList_Click();
    void mnuOpenPlaylist_Click();
    void mnuSavePlaylist_Click();
    // Turns the media keys off (back to the system) and on again.
    void mnuMediaKeys_Click();
    void tmrClear_Timer();
    void tmrDelay_Timer();

    // Places this window and the player window docked under it on the screen.
    void placeWithPlayer();

    // The host's view of the controls.
    Window& mainWindow() override { return *window; }
    void dockPlayer() override { chkPlaylist_Click(); }
    std::string consoleTitle() override { return Text1->text(); }
    std::string consoleClass() override { return Text2->text(); }
    Label& statusLine() override { return *lblPlatform; }
    Label& chatText() override { return *ChatText; }
    Button& backButton() override { return *cmdBack; }
    std::string duelEngage() override { return txtDuelEngage->text(); }
    std::string duelWon() override { return txtDuelWon->text(); }
    std::string duelLost() override { return txtDuelLost->text(); }
    replies::ReplyMessages& replyMessages() override { return messages; }

    std::unique_ptr<Window> window;
    std::unique_ptr<Label> Label1, Label2, Label3, ChatText, lblPlatform;
    std::unique_ptr<TextField> txtDuelEngage, txtDuelLost, txtDuelWon;
    std::unique_ptr<TextField> Text1, Text2;  // hidden: the console's title and class
    std::unique_ptr<Button> cmdBack, cmdViewPlay;
    std::unique_ptr<CheckBox> chkPlaylist;
    std::unique_ptr<Timer> tmrClear, tmrDelay;

    // The reply messages with their flags, read by the event replies.
    replies::ReplyMessages messages;
    // What the chat commands and the media keys work with.
    commands::CommandContext commandContext;
    engine::Engine engine;
    // The media keys are taken (the "Media Keys" menu item is ticked).
    bool mediaKeysOn = false;

  private:
    Services services_;
    console::ConsoleLink& console_;
    console::GameLink& game_;
    player::FrmPlay& frmPlay_;
    replies::MnuCustomize& mnuCustomize_;

    void buildControls();
    void buildMenus();
    void setMediaKeys(bool on);
};

}  // namespace varnok::ui
