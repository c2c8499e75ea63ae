#include "app/Application.h"

namespace varnok::ui {

Application::Application(const Services& services_)
    : services(services_),
      console(services.clock),
      game({.windows = services.windows,
            .chat = console,
            .wakeups = services.wakeups,
            .starter = services.starter,
            .input = services.consoleInput,
            .clock = services.clock,
            .yield =
                [this] {
                    services.toolkit.yield();
                    return !services.toolkit.ended();
                },
            .paneOnly = services.paneOnly}),
      mnuCustomize(services.toolkit, mainLink),
      frmPlay(services.toolkit, services.media, console, services.savesFolder(), frmPickFolder),
      frmPickFolder(services.toolkit, frmPlay, mainLink),
      frmMain(services, console, game, frmPlay, mnuCustomize) {
    mainLink.frmMain = &frmMain;
}

}  // namespace varnok::ui
