// The game's frame loop. Each frame handles the window messages that came in
// (other programs' too) while it waits for the frame's end, takes the lines
// entered meanwhile (EternalJK: reads its console's input buffer once), then
// runs the command buffer and the network: a command never runs inside the
// WM_CHAR that entered it. A stall (a hang, a map load) happens inside the
// frame, where no message is handled at all.

#include <windows.h>

#include "PaneText.h"
#include "StandIn.h"

namespace standin {

std::uint64_t StandIn::now() const {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<std::uint64_t>(counter.QuadPart * 1000 / frequency_.QuadPart);
}

int StandIn::run() {
    std::uint64_t frameEnd = now() + options_.frameMs;
    while (!quitting_) {
        pumpUntil(frameEnd);
        if (quitting_) break;
        endFrame();
        std::uint64_t current = now();
        frameEnd += options_.frameMs;
        if (frameEnd <= current) frameEnd = current + options_.frameMs;
    }
    KillTimer(control_, kScriptTimer);
    closeConsole();
    return 0;
}

void StandIn::pumpUntil(std::uint64_t deadline) {
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitting_ = true;
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        takeConsoleInput();
        std::uint64_t current = now();
        if (current >= deadline || quitting_) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - current),
                                  QS_ALLINPUT);
    }
}

// The lines entered in one pump reach the command buffer as one text, and only
// its very first "/" or "\" is taken off: a second line keeps its slash.
void StandIn::takeConsoleInput() {
    if (consoleInput_.empty()) return;
    std::string text;
    text.swap(consoleInput_);
    if (text[0] == '/' || text[0] == '\\') text.erase(0, 1);
    commands_.add(text);
}

// EternalJK's read of its console, once a frame; what a careless writer lost
// is its fault.
void StandIn::readParentConsole() {
    if (!parentConsole_.attached()) return;
    ParentConsole::Frame frame = parentConsole_.read();
    const std::pair<DWORD, const char*> losses[] = {
        {frame.lost.overflow, "past the 256 records or the line's 255 characters"},
        {frame.lost.afterEnter, "after the line's Enter"},
        {frame.lost.flushed, "at the flush after the read"},
    };
    for (const auto& [count, why] : losses)
        if (count > 0) records_.fault("lost", std::to_string(count) + " records: " + why);
    for (const std::string& key : frame.editingKeys)
        records_.fault("key", key + (frame.line ? " in the line " + *frame.line : std::string()));
    if (!frame.line) return;
    consoleLineTyped(*frame.line);
    takeConsoleInput();
}

void StandIn::endFrame() {
    readParentConsole();
    for (const std::string& command : commands_.takeCommands()) {
        records_.stamp("ran " + command);
        execute(command);
    }
    ServerLink::Arrivals arrivals = server_.advance(now());
    for (const std::string& note : arrivals.notes) records_.stamp(note);
    for (const std::string& dropped : arrivals.dropped) {
        records_.stamp("dropped " + dropped);
        records_.fault("flood", dropped);
    }
    for (const std::string& reply : arrivals.replies) {
        print(reply);
        // When an answer shows: the pane's line, without its line end.
        std::string shown = toPaneText(reply);
        while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) shown.pop_back();
        records_.stamp("shown " + shown);
    }
    if (stallMs_ > 0) stall(stallMs_);
}

void StandIn::stall(std::uint64_t ms) {
    stallMs_ = 0;
    Sleep(static_cast<DWORD>(ms));
    std::vector<std::string> lines;
    lines.swap(afterStall_);
    for (const std::string& line : lines) print(line);
}

}  // namespace standin
