// The "File" menu's reply-file items and the load by name behind "!load": the
// reply set moves between the windows and a reply file in the "Saves" folder.
#include "app/FrmMain.h"
#include "replies/ReplyFileStore.h"
#include "text/SystemPath.h"

namespace varnok::ui {

namespace {

constexpr const char* kSavePrompt =
    "Enter the name of the file you want to open (exlude the extension.)";
constexpr const char* kSaveTitle = "Save Messages";
constexpr const char* kSaveProposed = "main";
constexpr const char* kOpenFilter = "Varnock  (*.vnk)|*.vnk";

replies::ReplySet currentSet(FrmMain& main, player::FrmPlay& player) {
    return {.duelEngage = main.txtDuelEngage->text(),
            .duelWon = main.txtDuelWon->text(),
            .duelLost = main.txtDuelLost->text(),
            .messages = main.messages,
            .options = replies::ReplyOptions{main.chkPlaylist->value(), player.Check1->value()}};
}

// Puts a complete set into the windows. A changed docking box runs its click
// action, which moves the player window to the docking place it names.
void applySet(FrmMain& main, player::FrmPlay& player, const replies::ReplySet& set) {
    main.txtDuelEngage->setText(set.duelEngage);
    main.txtDuelWon->setText(set.duelWon);
    main.txtDuelLost->setText(set.duelLost);
    main.messages = set.messages;
    if (!set.options) return;
    const bool dockingChanged = main.chkPlaylist->value() != set.options->showPlaylistOnBottom;
    main.chkPlaylist->setValue(set.options->showPlaylistOnBottom);
    if (dockingChanged) main.chkPlaylist_Click();
    player.Check1->setValue(set.options->sayPlayingSong);
}

void errorBox(Toolkit& toolkit, const std::string& text) {
    toolkit.dialogs().messageBox(text, "Error", MessageIcon::Error);
}

}  // namespace

void FrmMain::mnuSave_Click() {
    const std::string name =
        services_.toolkit.dialogs().inputBox(kSavePrompt, kSaveTitle, kSaveProposed);
    const auto file = replies::replyFilePath(services_.savesFolder(), name);
    if (auto failure = replies::writeReplyFile(file, currentSet(*this, frmPlay_)))
        errorBox(services_.toolkit, *failure);
}

void FrmMain::mnuOpen_Click() {
    const std::optional<std::string> chosen =
        services_.toolkit.dialogs().openFile(*window, kOpenFilter);
    if (!chosen) return;
    const replies::ReplyFileRead read = replies::readReplyFile(text::toPath(*chosen));
    if (read.set)
        applySet(*this, frmPlay_, *read.set);
    else
        errorBox(services_.toolkit, read.description);
}

// From the "!load" chat command: only a wrong header is shown on the desktop;
// the other failures are answered in the game by the command.
bool FrmMain::loadReplies(const std::string& name) {
    const replies::ReplyFileRead read =
        replies::readReplyFile(replies::replyFilePath(services_.savesFolder(), name));
    if (read.fault == replies::ReplyFileFault::WrongHeader)
        errorBox(services_.toolkit, read.description);
    if (!read.set) return false;
    applySet(*this, frmPlay_, *read.set);
    return true;
}

}  // namespace varnok::ui
