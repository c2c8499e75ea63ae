#include "fakes/AppFixture.h"

namespace varnok::fakes {

AppFixture::AppFixture() {
    makeApp(false);
}

void AppFixture::makeApp(bool paneOnly) {
    app.reset();
    app = std::make_unique<ui::Application>(
        ui::Services{toolkit, desktop, clock, version, media, wakeups, folder.path(), paneOnly});
}

void AppFixture::startUp() {
    app->frmMain.startUp();
}

void AppFixture::settle() {
    while (toolkit.pendingActions() && !toolkit.hasEnded) toolkit.yield();
}

}  // namespace varnok::fakes
