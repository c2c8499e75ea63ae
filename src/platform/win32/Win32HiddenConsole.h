#pragma once
// Gives Varnok a console that shows no window. AllocConsole would show one
// (for seconds under Wine before a hide takes effect), so Varnok starts a tiny
// console program with CREATE_NO_WINDOW, whose new console has no window,
// joins that console (AttachConsole, tried every 20 ms until the program has
// made it) and ends the program: the console stays for Varnok and for what
// Varnok starts later without console flags.

#include <string>

namespace varnok::platform::win32 {

struct HiddenConsole {
    bool made = false;
    unsigned attachTries = 0;  // AttachConsole calls until one succeeded
    double milliseconds = 0;   // from starting the program to joining its console
    std::string failure;       // why there is no console (empty when made)
};

// Leaves any console the process has and joins a new one without a window.
HiddenConsole makeHiddenConsole();

}  // namespace varnok::platform::win32
