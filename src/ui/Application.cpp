#include "ui/Application.h"

namespace varnok::ui {

Application::Application(const Services& services_)
    : services(services_),
      console(services.windows, &services.clock),
      mnuCustomize(*this),
      frmPlay(*this),
      frmPickFolder(*this),
      frmMain(*this) {}

}  // namespace varnok::ui
