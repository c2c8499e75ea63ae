#include "fakes/AppFixture.h"

#include <unistd.h>
#include <atomic>
#include <string>

namespace varnok::fakes {

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("varnok-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

AppFixture::AppFixture() {
    app = std::make_unique<ui::Application>(
        ui::Services{toolkit, desktop, clock, version, media, folder.path()});
}

void AppFixture::startUp() {
    app->frmMain.startUp();
}

}  // namespace varnok::fakes
