#pragma once
// The main window's status line (lblPlatform) in its forms: the platform at
// start-up, the current player and the system, no game, a game that refuses
// Varnok. The line is set only when its text changes: no repaint for nothing.

#include <memory>
#include <string>

#include "engine/MainWindowControls.h"
#include "ports/VersionRecord.h"
#include "sysinfo/COpSysInfo.h"

namespace varnok::engine {

class StatusLine {
  public:
    explicit StatusLine(MainWindowControls& host) : host_(host) {}

    // Reads the system's description once; the start-up form.
    void startUp(sysinfo::VersionSource& version);
    void notRunning();
    void player(const std::string& playerName);
    // In place of the player: the game refuses Varnok's messages.
    void refused();
    // In place of the player: the game reads no typed commands.
    void takesNoCommands();

  private:
    void set(const std::string& text);

    MainWindowControls& host_;
    std::unique_ptr<sysinfo::COpSysInfo> os_;
    std::string build_;
};

}  // namespace varnok::engine
