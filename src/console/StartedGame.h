#pragma once
// A game Varnok started itself ("--game", or "Start Game..."), on a console of
// Varnok's that shows no window. A retail game opens its console window as
// always and is found by it; a community client has none. EternalJK reads
// commands from that console and writes its log from its start; OpenJK
// reads no commands at all but writes its log. Nothing is typed until the
// client's log has begun (its first line): the client empties the console's
// input once it has set it up, and what came before is lost.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "console/ClientLines.h"
#include "console/ClientLogEar.h"
#include "console/ConsoleInputMouth.h"
#include "ports/Clock.h"
#include "ports/ConsoleInput.h"

namespace varnok::console {

enum class Client { EternalJK, OpenJK };

struct ClientLog {
    std::filesystem::path path;
    Client client;
};

// Where the community clients write their log for a game started as `exe`
// with `arguments`: EternalJK, a portable build, in its own folder under
// "EternalJK" (or the fs_game folder), OpenJK under the user's documents in
// "My Games\OpenJK\<fs_game, or base>"; a "+set fs_homepath" or "+set fs_game"
// among the arguments counts for both.
std::vector<ClientLog> clientLogs(const std::filesystem::path& exe,
                                  const std::vector<std::string>& arguments,
                                  const std::optional<std::filesystem::path>& documents);

class StartedGame {
  public:
    // Made just before the game starts: what lies at the logs' places then is
    // an earlier game's.
    StartedGame(std::vector<ClientLog> logs, ConsoleInput& input, engine::Clock& clock);

    void started(std::uint32_t process) { process_ = process; }
    std::uint32_t process() const { return process_; }

    // Whether a client's log began since the game started; once it has, its
    // ear reads it.
    bool lookForLog();
    // The client whose log began; nothing before.
    std::optional<Client> client() const { return client_; }

    Ear& ear() { return ear_; }
    // How lines reach the client; nullptr when it takes no typed commands.
    Mouth* mouth() { return client_ == Client::EternalJK ? &mouth_ : nullptr; }

  private:
    struct Candidate {
        ClientLog log;
        std::optional<std::string> before;  // how it began before the game started
    };
    std::vector<Candidate> candidates_;
    std::uint32_t process_ = 0;
    std::optional<Client> client_;
    TypedLines typed_;
    ClientLogEar ear_{typed_};
    ConsoleInputMouth mouth_;
};

}  // namespace varnok::console
