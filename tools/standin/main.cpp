// The stand-in game for Varnok's tests and demo. Usage:
//   standin.exe [--name NAME] [--log PATH] [--pane-log PATH] [--timing PATH]
//               [--faults PATH] [--script FILE] [--show-console] [--no-console]
//               [--hide-game] [--offline] [--round-trip MS] [--jitter MS]
//               [--seed N] [--sv-fps N] [--flood-ms MS] [--frame-ms MS]
//               [--basepath DIR] [--game MOD] [--language X] [--logfile N]
//               [--client retail|eternaljk|openjk] [+set CVAR VALUE]...
// --log keeps every line typed into the console, one a line; --pane-log keeps
// a copy of every print as it reached the pane (clears do not erase it);
// --timing keeps when each control command ran, each line was typed, each
// command ran or went to the server, each packet left ("packet up <ms> <n>":
// its one-way delay and commands; "packet down <ms>"), the server took or
// dropped a command ("server <server ms> took|dropped <command>") and an
// answer showed in the pane ("shown <line>"), in microseconds since 1970, for
// the benchmark; --faults keeps the caller's faults ("overrun <n> characters:
// ..." for a typed line that overran the game's history buffer) and the
// commands the server ignored as a flood ("flood <command>"). The console
// window is hidden unless --show-console; --offline starts without a server.
// The network: --round-trip (default 40 ms) is the least round trip, --jitter
// (default 30 ms) what each packet's one-way delay may add, drawn from the
// seed --seed (default 1); the server runs --sv-fps frames a second (default
// 20) and ignores a command within --flood-ms (default 1000; 0: no guard) of
// the previous one. --basepath is the game's folder (fs_basepath and
// fs_homepath; default the working folder), --game the mod folder (fs_game),
// --language the cvar se_language (default english), --logfile the cvar
// logfile at start (default 0). --client plays a community client instead of
// the retail game (StandIn.h). "+set CVAR VALUE", as the game takes it, sets
// name, se_language, fs_basepath, fs_homepath, fs_game, logfile or any other
// cvar, which then answers when typed.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "StandIn.h"

namespace {

// "+set <name> <value>": the cvars the stand-in knows go into their options,
// any other is kept to be answered when typed.
void setCvar(standin::Options& options, std::string name, const std::string& value) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (name == "name") {
        options.playerName = value;
    } else if (name == "se_language") {
        options.language = value;
    } else if (name == "fs_basepath") {
        options.basePath = value;
    } else if (name == "fs_homepath") {
        options.homePath = value;
    } else if (name == "fs_game") {
        options.modFolder = value;
    } else if (name == "logfile") {
        options.logfile = std::to_string(std::strtol(value.c_str(), nullptr, 10));
    } else {
        options.cvars[name] = value;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    standin::Options options;
    for (int i = 1; i < __argc; ++i) {
        std::string arg = __argv[i];
        bool hasValue = i + 1 < __argc;
        if ((arg == "+set" || arg == "+seta") && i + 2 < __argc) {
            setCvar(options, __argv[i + 1], __argv[i + 2]);
            i += 2;
        } else if (arg == "--client" && hasValue &&
                   standin::parseClient(__argv[i + 1], options.client)) {
            ++i;
        } else if (arg == "--name" && hasValue) {
            options.playerName = __argv[++i];
        } else if (arg == "--log" && hasValue) {
            options.records.transcript = __argv[++i];
        } else if (arg == "--pane-log" && hasValue) {
            options.records.paneLog = __argv[++i];
        } else if (arg == "--timing" && hasValue) {
            options.records.timing = __argv[++i];
        } else if (arg == "--faults" && hasValue) {
            options.records.faults = __argv[++i];
        } else if (arg == "--script" && hasValue) {
            options.scriptPath = __argv[++i];
        } else if (arg == "--round-trip" && hasValue) {
            options.network.roundTripMs = std::strtoull(__argv[++i], nullptr, 10);
        } else if (arg == "--jitter" && hasValue) {
            options.network.jitterMs = std::strtoull(__argv[++i], nullptr, 10);
        } else if (arg == "--seed" && hasValue) {
            options.network.seed =
                static_cast<std::uint32_t>(std::strtoul(__argv[++i], nullptr, 10));
        } else if (arg == "--sv-fps" && hasValue) {
            options.network.serverFps = std::strtoull(__argv[++i], nullptr, 10);
            if (options.network.serverFps == 0) options.network.serverFps = 1;
        } else if (arg == "--flood-ms" && hasValue) {
            options.network.floodMs = std::strtoull(__argv[++i], nullptr, 10);
        } else if (arg == "--basepath" && hasValue) {
            options.basePath = __argv[++i];
        } else if (arg == "--game" && hasValue) {
            options.modFolder = __argv[++i];
        } else if (arg == "--language" && hasValue) {
            options.language = __argv[++i];
        } else if (arg == "--logfile" && hasValue) {
            options.logfile = std::to_string(std::strtol(__argv[++i], nullptr, 10));
        } else if (arg == "--frame-ms" && hasValue) {
            options.frameMs = std::strtoull(__argv[++i], nullptr, 10);
            if (options.frameMs == 0) options.frameMs = 1;
        } else if (arg == "--show-console") {
            options.showConsole = true;
        } else if (arg == "--no-console") {
            options.createConsole = false;
        } else if (arg == "--hide-game") {
            options.showGame = false;
        } else if (arg == "--offline") {
            options.connected = false;
        } else {
            std::fprintf(stderr, "standin: unknown argument %s\n", arg.c_str());
            return 2;
        }
    }

    standin::StandIn game(options);
    if (!game.create(instance)) {
        std::fprintf(stderr, "standin: could not create its windows\n");
        return 1;
    }
    return game.run();
}
