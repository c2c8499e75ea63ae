#include "app/Application.h"

namespace varnok::ui {

Application::Application(const Services& services_)
    : services(services_),
      console(services.windows, &services.clock),
      mnuCustomize(services.toolkit, mainLink),
      frmPlay(services.toolkit, services.media, console, services.savesFolder(), frmPickFolder),
      frmPickFolder(services.toolkit, frmPlay, mainLink),
      frmMain(services, console, frmPlay, mnuCustomize) {
    mainLink.frmMain = &frmMain;
}

}  // namespace varnok::ui
