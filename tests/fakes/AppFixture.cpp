#include "fakes/AppFixture.h"

namespace varnok::fakes {

AppFixture::AppFixture() {
    makeApp(false);
}

void AppFixture::makeApp(bool paneOnly) {
    app.reset();
    app = std::make_unique<ui::Application>(ui::Services{toolkit, desktop, clock, version, media,
                                                         wakeups, starter, consoleInput,
                                                         folder.path(), paneOnly});
}

void AppFixture::startUp() {
    app->frmMain.startUp();
}

std::string AppFixture::shownPlayer() {
    const std::string& line = status().text;
    const std::string before = "[ Current Player: ";
    const std::size_t end = line.find("  OS: ");
    if (!line.starts_with(before) || end == std::string::npos) return "";
    const std::string name = line.substr(before.size(), end - before.size());
    return name == "<JKA is not running>" ? "" : name;
}

void AppFixture::settle() {
    while (toolkit.pendingActions() && !toolkit.hasEnded) toolkit.yield();
}

}  // namespace varnok::fakes
