#pragma once
// What the engine knows between turns: the console link's handles and text
// lengths, the text it cut out, the player's name and the reply switches.

#include <cstdint>
#include <string>

#include "console/WindowManager.h"
#include "engine/Pacer.h"

namespace varnok::engine {

struct EngineState {
    bool replyOn = false;     // automatic replies on; set true at start-up
    bool clearDue = false;    // a console clear is due (set by the 60 s timer)
    bool greetReady = false;  // a greeting may go out (set by the 15 s timer)
    bool duelEngaged = false;
    std::string duelOpponent;

    console::WindowHandle consoleWnd = 0;  // this turn's console; 0 when absent
    console::WindowHandle outputPane = 0;  // kept while the console stays
    std::int32_t prevLen = 0;              // pane length up to which text was taken
    std::int32_t curLen = 0;               // the latest measurement

    std::string playerName;  // as the game prints it, colour codes included
    std::string newText;     // the latest extracted text (at most 200 characters)
    std::string lastText;    // the last text handed to the recognisers

    // "/name" while the name is unknown, and "/clear" for a full pane with no
    // clear due, at most once a second each: the game answers on its next frame.
    Pacer nameQueries{std::chrono::seconds(1)};
    Pacer fullPaneClears{std::chrono::seconds(1)};

    // Forgets the console when it is gone; the texts and the due clear stay.
    void resetConsole() {
        outputPane = 0;
        prevLen = 0;
        curLen = 0;
        playerName.clear();
        nameQueries.restart();  // a console that comes back is asked at once
    }
};

}  // namespace varnok::engine
