#include "common/TempFolder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <system_error>
#include <thread>

#include "text/SystemPath.h"

namespace varnok::testsupport {

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    // The start time keeps test programs that run side by side apart; the
    // exclusive creation settles any clash left.
    const std::string stamp =
        std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    do {
        path_ = base / ("varnok-test-" + stamp + "-" + std::to_string(counter++));
    } while (!std::filesystem::create_directory(path_));
}

TempFolder::~TempFolder() {
    // A program that has just ended may hold its files for a moment.
    for (int attempt = 0; attempt < 20; ++attempt) {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
        if (!error) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

std::string TempFolder::text() const {
    return text::fromPath(path_);
}

std::string TempFolder::file(const std::string& name) const {
    return text::fromPath(path_ / text::toPath(name));
}

std::string TempFolder::write(const std::string& name, const std::string& content) const {
    const std::string target = file(name);
    std::ofstream(text::toPath(target), std::ios::binary) << content;
    return target;
}

}  // namespace varnok::testsupport
