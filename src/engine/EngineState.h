#pragma once
// What the engine knows between turns: the console link's handles and text
// lengths, the text it cut out, the player's name and the reply switches.

#include <cstdint>
#include <deque>
#include <string>

#include "engine/ConsoleLines.h"
#include "engine/LogEar.h"
#include "engine/Pacer.h"
#include "ports/WindowManager.h"

namespace varnok::engine {

struct EngineState {
    bool replyOn = false;     // automatic replies on; set true at start-up
    bool clearDue = false;    // a console clear is due (set by the 60 s timer)
    bool greetReady = false;  // a greeting may go out (set by the 15 s timer)
    bool duelEngaged = false;
    std::string duelOpponent;

    console::WindowHandle consoleWnd = 0;  // this turn's console; 0 when absent
    console::WindowHandle outputPane = 0;  // kept while the console stays
    std::int32_t prevLen = 0;              // the pane's length at the last reading
    std::int32_t curLen = 0;               // the latest measurement
    ConsoleLines lines;                    // what of the pane was taken, line by line
    std::deque<std::string> heard;         // lines read, in order, not yet examined
    LogEar log;                            // the game's log file, read instead of the pane
    bool clearMomentSeen = false;          // a pause read a shrunk or full pane

    std::string playerName;  // as the game prints it
    std::string newText;     // the line being examined (its last 200 characters at most)
    std::string lastText;    // the last line handed to the recognisers

    // "/name" while the name is unknown, at most once a second: the game
    // answers on a later frame.
    Pacer nameQueries{std::chrono::seconds(1)};
    // The questions of the game's language and folders went to this console;
    // after an engine load they go again, once for the several lines of one.
    bool gameAsked = false;
    Pacer gameQuestions{std::chrono::seconds(5)};

    // Forgets the console when it is gone; the texts and the due clear stay.
    void resetConsole() {
        outputPane = 0;
        prevLen = 0;
        curLen = 0;
        lines.forget();
        heard.clear();
        log.reset();
        clearMomentSeen = false;
        playerName.clear();
        nameQueries.restart();  // a console that comes back is asked at once
        gameAsked = false;
    }
};

}  // namespace varnok::engine
