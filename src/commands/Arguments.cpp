// The argument rules of the chat commands and the turn they run in.
#include <cmath>
#include <utility>

#include "commands/Commands.h"
#include "ports/Clock.h"
#include "text/Text.h"

namespace varnok::commands {

CommandTurn::CommandTurn(const CommandContext& context_, std::string newText_,
                         std::string playerName_)
    : context(context_), newText(std::move(newText_)), playerName(std::move(playerName_)) {}

void CommandTurn::send(const console::CommandLine& line) const {
    context.console.SendConsoleCommand(line);
}

void CommandTurn::wait(float seconds) const {
    engine::waitSeconds(context.clock, seconds);
}

std::optional<std::string> commandArgument(std::string_view newText, std::string_view marker,
                                           std::size_t offset) {
    return text::afterMarkerLess(newText, marker, offset, 2);
}

namespace {

// Windows opens these names as devices, not files, whatever extension follows
// (it looks at the part before the first dot, less trailing blanks). The
// superscript digits of the code page count as digits there too.
bool isDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL"})
        if (text::equalsNoCase(base, device)) return true;
    if (base.size() != 4) return false;
    const std::string_view stem = base.substr(0, 3);
    const char digit = base[3];
    const bool numbered =
        (digit >= '1' && digit <= '9') || digit == '\xB9' || digit == '\xB2' || digit == '\xB3';
    return numbered && (text::equalsNoCase(stem, "COM") || text::equalsNoCase(stem, "LPT"));
}

}  // namespace

bool isPlainFileName(std::string_view name) {
    return name.find_first_of("/\\:") == std::string_view::npos &&
           name.find("..") == std::string_view::npos && !isDeviceName(name);
}

std::optional<std::int16_t> volumeArgument(std::string_view argument) {
    const std::optional<double> number = text::parseDecimal(argument);
    if (!number) return std::nullopt;
    const double whole = std::floor(*number);
    if (whole < -32768.0 || whole > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

}  // namespace varnok::commands
