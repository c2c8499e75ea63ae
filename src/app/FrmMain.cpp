#include "app/FrmMain.h"

#include "app/FrmMainLayout.h"
#include "commands/MediaKeys.h"
#include "ports/Placement.h"

namespace varnok::ui {

namespace ml = mainlayout;

namespace {
constexpr unsigned kClearIntervalMs = 60000;
constexpr unsigned kGreetIntervalMs = 15000;
}  // namespace

FrmMain::FrmMain(const Services& services, console::ConsoleLink& console, console::GameLink& game,
                 player::FrmPlay& frmPlay, replies::MnuCustomize& mnuCustomize)
    : commandContext{console, game, services.clock, services.windows, frmPlay, *this},
      engine({.toolkit = services.toolkit,
              .clock = services.clock,
              .console = console,
              .link = game,
              .version = services.version,
              .savesFolder = services.savesFolder(),
              .commands = commandContext,
              .host = *this,
              .wakeups = services.wakeups}),
      services_(services),
      console_(console),
      game_(game),
      frmPlay_(frmPlay),
      mnuCustomize_(mnuCustomize) {
    window = services_.toolkit.createWindow(ml::window());
    window->onClose([this] { Form_Unload(); });
    buildControls();
    buildMenus();
}

void FrmMain::buildControls() {
    Toolkit& tk = services_.toolkit;
    Window& w = *window;
    Label1 = tk.createLabel(
        w, ml::templateLabel("Label1", "Duel Engage:", {840, 720, 1425, 375}, Align::Right));
    txtDuelEngage = tk.createTextField(w, ml::templateField("txtDuelEngage", 720, 0));
    Label2 = tk.createLabel(
        w, ml::templateLabel("Label2", "Duel Lost:", {840, 1320, 1455, 375}, Align::Right));
    txtDuelLost = tk.createTextField(w, ml::templateField("txtDuelLost", 1320, 1));
    Label3 = tk.createLabel(
        w, ml::templateLabel("Label3", "Duel Won:", {1200, 1920, 1095, 375}, Align::Left));
    txtDuelWon = tk.createTextField(w, ml::templateField("txtDuelWon", 1920, 2));
    ChatText = tk.createLabel(w, ml::chatText());
    cmdBack = tk.createButton(w, ml::greyButton("cmdBack", "Back to Game", 600, 3));
    cmdViewPlay = tk.createButton(w, ml::greyButton("cmdViewPlay", "Playlist", 3600, 4));
    chkPlaylist = tk.createCheckBox(w, ml::playlistCheck());
    chkPlaylist->setValue(1);
    lblPlatform = tk.createLabel(w, ml::statusLine());

    Text1 = tk.createTextField(w, {.name = "Text1", .caption = console::kConsoleTitle});
    Text1->setVisible(false);
    Text2 = tk.createTextField(w, {.name = "Text2"});
    Text2->setVisible(false);

    cmdBack->onClick([this] { cmdBack_Click(); });
    cmdViewPlay->onClick([this] { cmdViewPlay_Click(); });
    chkPlaylist->onClick([this] { chkPlaylist_Click(); });

    tmrClear = tk.createTimer(w, kClearIntervalMs, true, [this] { tmrClear_Timer(); });
    tmrDelay = tk.createTimer(w, kGreetIntervalMs, true, [this] { tmrDelay_Timer(); });
}

void FrmMain::buildMenus() {
    std::vector<MenuSpec> menus = {
        {"mnuFile",
         "File",
         {{"mnuSave", "Save", [this] { mnuSave_Click(); }},
          {"mnuOpen", "Open", [this] { mnuOpen_Click(); }},
          {"mnuStartGame", "Start Game...", [this] { mnuStartGame_Click(); }},
          {"mnuExit", "Exit", [this] { mnuExit_Click(); }}}},
        {"mnuEdit",
         "Customize Messages",
         {{"mnuMsg0", "Greeting", [this] { mnuMsg_Click(0); }},
          {"mnuMsg1", "Self inflicting death", [this] { mnuMsg_Click(1); }},
          {"mnuMsg2", "On Self Enter", [this] { mnuMsg_Click(2); }},
          {"mnuMsg3", "Time/Frag Limit", [this] { mnuMsg_Click(3); }}}},
        {"mnuPlaylist",
         "Playlist",
         {{"mnuSavePlaylist", "Save Playlist", [this] { mnuSavePlaylist_Click(); }},
          {"mnuOpenPlaylist", "Open Playlist", [this] { mnuOpenPlaylist_Click(); }},
          {"mnuAddFolder", "Add Folder", [this] { mnuAddFolder_Click(); }},
          {"mnuAddFile", "Add File", [this] { mnuAddFile_Click(); }},
          {"mnuClearList", "Clear List", [this] { mnuClearList_Click(); }},
          {"mnuMediaKeys", "Media Keys", [this] { mnuMediaKeys_Click(); }}}},
    };
    services_.toolkit.createMenuBar(*window, menus);
}

void FrmMain::Form_Load() {
    startUp();
    engine.run();
}

void FrmMain::startUp() {
    // The editor and the player window come to life hidden.
    mnuCustomize_.window->show();
    mnuCustomize_.window->hide();
    frmPlay_.Form_Load();
    frmPlay_.window->show();
    frmPlay_.window->hide();

    placeWithPlayer();
    window->show();
    setMediaKeys(true);

    if (services_.gameToStart)
        startGame(services_.gameToStart->exe, services_.gameToStart->arguments);
    engine.startUp();
}

// The main window and the player window hanging under it (as wide as the main
// window) are placed as one pair: centred on the work area when the pair fits,
// otherwise as high as it allows, so that the main window's title bar is always
// on the screen and the player's bottom row is as far up as it can be.
void FrmMain::placeWithPlayer() {
    Window& player = *frmPlay_.window;
    player.setOuterWidth(window->frame().width);
    const Frame main = window->frame();
    const Frame area = services_.toolkit.workArea();
    const Frame pair{0, 0, main.width, main.height + player.frame().height};
    const Frame placed = centredOver(pair, area, area);
    window->moveTo(placed.left, placed.top);
    player.moveTo(placed.left, placed.top + main.height);
}

// Docks the player window under the main window, or to its right when the box
// is unticked. Only its position changes, visible or not.
void FrmMain::chkPlaylist_Click() {
    const Frame main = window->frame();
    Window& player = *frmPlay_.window;
    if (chkPlaylist->value() != 0)
        player.moveTo(main.left, main.top + main.height);
    else
        player.moveTo(main.left + main.width, main.top);
}

void FrmMain::cmdViewPlay_Click() {
    Window& player = *frmPlay_.window;
    if (player.visible())
        player.hide();
    else
        player.show();
}

void FrmMain::cmdBack_Click() {
    services_.windows.show(game_.gameWindow(), console::ShowCommand::Show);
    console_.SendConsoleCommand("say ^1Maximized");
}

void FrmMain::Form_Unload() {
    engine.leaveGameAsFound();
    services_.toolkit.endProgram();
}
void FrmMain::mnuExit_Click() {
    engine.leaveGameAsFound();
    services_.toolkit.endProgram();
}

void FrmMain::mnuAddFile_Click() {
    frmPlay_.cmdAddFile_Click();
}
void FrmMain::mnuAddFolder_Click() {
    frmPlay_.cmdDir_Click();
}
void FrmMain::mnuClearList_Click() {
    frmPlay_.cmdClear_Click();
}
void FrmMain::mnuOpenPlaylist_Click() {
    frmPlay_.cmdOpenList_Click();
}
void FrmMain::mnuSavePlaylist_Click() {
    frmPlay_.cmdSave_Click();
}

void FrmMain::mnuMediaKeys_Click() {
    setMediaKeys(!mediaKeysOn);
}

// Off gives the keys back, so that another player on the desktop can have them.
void FrmMain::setMediaKeys(bool on) {
    Toolkit& tk = services_.toolkit;
    if (on)
        tk.takeMediaKeys(*window,
                         [this](MediaKey key) { commands::mediaKeyPressed(commandContext, key); });
    else
        tk.releaseMediaKeys();
    mediaKeysOn = on;
    tk.setMenuChecked(*window, "mnuMediaKeys", on);
}

void FrmMain::tmrClear_Timer() {
    engine.makeClearDue();
}
void FrmMain::tmrDelay_Timer() {
    engine.allowGreeting();
}

}  // namespace varnok::ui
