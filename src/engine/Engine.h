#pragma once
// The engine: start-up of the console link and the main polling loop. Each turn
// yields to the window system, docks the player window, looks for the game's
// console afresh and, when it is there, hands over to the log tracking.

#include <memory>
#include <string>

#include "engine/EngineState.h"
#include "sysinfo/COpSysInfo.h"

namespace varnok::ui {
class Application;
}

namespace varnok::engine {

class Engine {
  public:
    explicit Engine(ui::Application& app);
    ~Engine();

    // Start-up from the system description on: status line, replies on, the
    // first console lookup, "name", the "Saves" folder.
    void startUp();
    // One turn of the loop; true when it found new console text to handle.
    bool turn();
    // Turns until the program ends. A turn that found nothing new waits for
    // window input or a short interval instead of spinning a core.
    void run();

    // The three status-line forms.
    void showStartUpStatus();
    void showNotRunningStatus();
    void showPlayerStatus();

    EngineState state;
    std::unique_ptr<sysinfo::COpSysInfo> os;
    std::string buildText;

    static constexpr unsigned kIdleWaitMs = 10;

  private:
    // The log tracking of a turn that found the console: pane upkeep,
    // measuring, extraction, then the recognisers, the chat commands and the
    // name reader. True when there was new text.
    bool trackConsole();

    ui::Application& app_;
};

}  // namespace varnok::engine
