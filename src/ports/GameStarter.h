#pragma once
// The game-starter port: starts the game as a child of Varnok, on a console
// of Varnok's that shows no window, so that a community client which joins the
// console of the program that started it (EternalJK) reads what Varnok types
// into that console's input buffer (ConsoleInput.h). The Win32 adapter makes
// the console on first use and starts the game in its own folder.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace varnok::console {

class GameStarter {
  public:
    struct StartedGame {
        std::uint32_t process = 0;  // the game's process id; 0 when it did not start
        std::string failure;        // why it did not start (empty when it did)
    };

    virtual ~GameStarter() = default;

    // Starts `exe` in its own folder with the arguments (each quoted when it
    // holds a blank), on Varnok's hidden console, made when there is none yet.
    virtual StartedGame start(const std::filesystem::path& exe,
                              const std::vector<std::string>& arguments) = 0;
    // Whether a game this starter started still runs; false for any other process.
    virtual bool running(std::uint32_t process) = 0;
    // The user's documents folder, where some clients keep their files;
    // nothing where there is none.
    virtual std::optional<std::filesystem::path> documentsFolder() = 0;
};

}  // namespace varnok::console
