// Log tracking of a turn that found the console. This first version only keeps
// the output pane known and measures it; the text extraction, the recognisers,
// the chat commands and the name reader follow.
#include "engine/Engine.h"
#include "ui/Application.h"

namespace varnok::engine {

bool Engine::trackConsole() {
    if (state.outputPane == 0) state.outputPane = app_.console.FindOutputPane(state.consoleWnd);
    const std::int32_t previous = state.curLen;
    state.curLen = static_cast<std::int32_t>(app_.console.ReadTextLength(state.outputPane));
    return state.curLen != previous;
}

}  // namespace varnok::engine
