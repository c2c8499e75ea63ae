// File > "Start Game...": the player picks the game's program, and Varnok
// starts it on its own console (see console::GameLink::start), as
// "--game" does at start-up.
#include "app/FrmMain.h"
#include "text/SystemPath.h"

namespace varnok::ui {

namespace {
constexpr const char* kGameFilter = "Programs (*.exe)|*.exe";
}

void FrmMain::mnuStartGame_Click() {
    const std::optional<std::string> chosen =
        services_.toolkit.dialogs().openFile(*window, kGameFilter);
    if (chosen) startGame(text::toPath(*chosen), {});
}

void FrmMain::startGame(const std::filesystem::path& exe,
                        const std::vector<std::string>& arguments) {
    const std::string failure = game_.start(exe, arguments);
    if (!failure.empty())
        services_.toolkit.dialogs().messageBox(failure, "Error", MessageIcon::Error);
}

}  // namespace varnok::ui
