// The stand-in game for Varnok's tests and demo. Usage:
//   standin.exe [--name NAME] [--log PATH] [--pane-log PATH] [--script FILE]
//               [--timing PATH] [--no-console] [--hide-game]
// --log keeps every line typed into the console, one a line; --pane-log keeps
// a copy of everything the console printed (clears do not erase it); --timing
// keeps when each control command ran and each line was typed, in
// microseconds since 1970, for the benchmark.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "StandIn.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    standin::Options options;
    for (int i = 1; i < __argc; ++i) {
        std::string arg = __argv[i];
        bool hasValue = i + 1 < __argc;
        if (arg == "--name" && hasValue) {
            options.playerName = __argv[++i];
        } else if (arg == "--log" && hasValue) {
            options.logPath = __argv[++i];
        } else if (arg == "--pane-log" && hasValue) {
            options.paneLogPath = __argv[++i];
        } else if (arg == "--timing" && hasValue) {
            options.timingPath = __argv[++i];
        } else if (arg == "--script" && hasValue) {
            options.scriptPath = __argv[++i];
        } else if (arg == "--no-console") {
            options.openConsole = false;
        } else if (arg == "--hide-game") {
            options.showGame = false;
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
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
