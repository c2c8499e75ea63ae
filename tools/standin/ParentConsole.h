#pragma once
// EternalJK's Windows console input. At start the game joins the console of
// the program that started it (AttachConsole(ATTACH_PARENT_PROCESS)) and, once
// its console is set up, empties that console's input buffer: what was typed
// before is lost. Each frame it reads the input buffer once: with
// kInputRecords or more records waiting it drops the oldest one, reads at most
// kInputRecords (ReadConsoleInputA), then empties the buffer
// (FlushConsoleInputBuffer), so records written between the read and the flush
// are lost, and so is every record after the first Enter it handles. Only
// key-down records count (ConsoleLine.h); Enter ends the line and the read.
//
// Whatever a writer loses that way is counted here: a writer that types one
// line a write, of key-down records only, text with the virtual-key code 0,
// and writes again only once the buffer is empty and a frame has passed, loses
// nothing and types no editing key.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ConsoleLine.h"

namespace standin {

inline constexpr DWORD kInputRecords = 256;

class ParentConsole {
  public:
    ParentConsole() = default;
    ~ParentConsole();
    ParentConsole(const ParentConsole&) = delete;
    ParentConsole& operator=(const ParentConsole&) = delete;

    // Joins the parent's console and empties its input buffer; false when
    // there is no such console (the game was not started from one). `flushed`
    // is what the emptying threw away.
    bool attach(DWORD& flushed);
    bool attached() const { return input_ != INVALID_HANDLE_VALUE; }

    struct Losses {
        DWORD overflow = 0;    // dropped as the oldest of kInputRecords or more
        DWORD afterEnter = 0;  // read after the line's Enter, so thrown away
        DWORD flushed = 0;     // still waiting, or written after the read, at the flush
    };
    struct Frame {
        std::optional<std::string> line;       // the line entered, when Enter came
        std::vector<std::string> editingKeys;  // the editing keys met, by name
        Losses lost;
    };
    // One frame's read of the input buffer.
    Frame read();

  private:
    HANDLE input_ = INVALID_HANDLE_VALUE;
    ConsoleLine line_;
};

}  // namespace standin
