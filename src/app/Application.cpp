#include "app/Application.h"

namespace varnok::ui {

Application::Application(const Services& services_)
    : services(services_),
      console(services.clock),
      game(services.windows, console, services.wakeups, services.paneOnly,
           [this] {
               services.toolkit.yield();
               return !services.toolkit.ended();
           }),
      mnuCustomize(services.toolkit, mainLink),
      frmPlay(services.toolkit, services.media, console, services.savesFolder(), frmPickFolder),
      frmPickFolder(services.toolkit, frmPlay, mainLink),
      frmMain(services, console, game, frmPlay, mnuCustomize) {
    mainLink.frmMain = &frmMain;
}

}  // namespace varnok::ui
