// The argument rules of the chat commands and the turn they run in.
#include <cmath>

#include "commands/Commands.h"
#include "engine/Clock.h"
#include "text/Text.h"
#include "ui/Application.h"

namespace varnok::commands {

CommandTurn::CommandTurn(ui::Application& app_)
    : app(app_),
      newText(app_.frmMain.engine.state.newText),
      playerName(app_.frmMain.engine.state.playerName) {}

void CommandTurn::send(const std::string& line) const {
    app.console.SendConsoleCommand(line);
}

void CommandTurn::wait(float seconds) const {
    engine::waitSeconds(app.services.clock, seconds);
}

std::optional<std::string> commandArgument(std::string_view newText, std::string_view marker,
                                           std::size_t offset) {
    return text::afterMarkerLess(newText, marker, offset, 2);
}

bool isPlainFileName(std::string_view name) {
    return name.find_first_of("/\\:") == std::string_view::npos &&
           name.find("..") == std::string_view::npos;
}

std::optional<std::int16_t> volumeArgument(std::string_view argument) {
    const std::optional<double> number = text::parseDecimal(argument);
    if (!number) return std::nullopt;
    const double whole = std::floor(*number);
    if (whole < -32768.0 || whole > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

}  // namespace varnok::commands
