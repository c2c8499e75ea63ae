#pragma once
// What wakes the loop, in memory: the folders and the process watched are
// recorded, and a test ends the process by a flag.

#include <filesystem>
#include <optional>
#include <vector>

#include "ports/Wakeups.h"

namespace varnok::fakes {

class FakeWakeups : public engine::Wakeups {
  public:
    void watchFolders(const std::vector<std::filesystem::path>& watched) override {
        folders = watched;
    }
    void watchProcessOf(console::WindowHandle window) override { processOf = window; }
    void watchProcess(std::uint32_t id) override { process = id; }
    bool takeProcessEnd() override {
        const bool was = ended;
        ended = false;
        return was;
    }
    std::optional<std::filesystem::path> virtualStoreTwin(const std::filesystem::path&) override {
        return twin;
    }

    std::vector<std::filesystem::path> folders;
    console::WindowHandle processOf = 0;
    std::uint32_t process = 0;
    bool ended = false;
    std::optional<std::filesystem::path> twin;
};

}  // namespace varnok::fakes
