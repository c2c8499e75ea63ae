#include "fakes/AppFixture.h"

namespace varnok::fakes {

AppFixture::AppFixture() {
    app = std::make_unique<ui::Application>(
        ui::Services{toolkit, desktop, clock, version, media, folder.path()});
}

void AppFixture::startUp() {
    app->frmMain.startUp();
}

}  // namespace varnok::fakes
