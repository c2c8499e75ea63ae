#pragma once
// What wakes the loop besides window input, over kernel32: a change
// notification for each folder of the game's log, and the game's process
// (opened to wait for its end). The toolkit's wait waits on their handles too.

#include <windows.h>

#include <filesystem>
#include <vector>

#include "ports/Wakeups.h"

namespace varnok::platform::win32 {

class Win32Wakeups : public engine::Wakeups {
  public:
    Win32Wakeups() = default;
    ~Win32Wakeups() override;
    Win32Wakeups(const Win32Wakeups&) = delete;
    Win32Wakeups& operator=(const Win32Wakeups&) = delete;

    void watchFolders(const std::vector<std::filesystem::path>& folders) override;
    void watchProcessOf(console::WindowHandle window) override;
    void watchProcess(std::uint32_t process) override;
    bool takeProcessEnd() override;
    std::optional<std::filesystem::path> virtualStoreTwin(
        const std::filesystem::path& file) override;

    // For the toolkit's wait: the handles it waits on besides window input,
    // and the one that ended a wait.
    const std::vector<HANDLE>& handles() const { return handles_; }
    void signalled(HANDLE handle);
    bool isProcess(HANDLE handle) const { return handle == process_; }

  private:
    void closeFolders();
    void closeProcess();
    void collect();

    std::vector<std::filesystem::path> folders_;
    std::vector<HANDLE> changes_;  // one change notification a folder that could be watched
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    bool ended_ = false;
    std::vector<HANDLE> handles_;  // changes_ and process_
};

}  // namespace varnok::platform::win32
