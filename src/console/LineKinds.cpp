#include "console/LineKinds.h"

#include <string>

namespace varnok::console {

std::optional<OwnChat> ownChat(std::string_view line, std::string_view playerName) {
    if (playerName.empty()) return std::nullopt;
    const std::string name(playerName);
    for (const auto& [speaker, target] :
         {std::pair<std::string, ChatTarget>{name + ": ", ChatTarget::Everyone},
          {"(" + name + "): ", ChatTarget::Team},
          {"[" + name + "]: ", ChatTarget::OnePlayer}}) {
        if (line.starts_with(speaker)) return OwnChat{target, line.substr(speaker.size())};
    }
    return std::nullopt;
}

std::optional<std::string_view> spokenText(std::string_view line) {
    if (isConsoleEcho(line)) return std::nullopt;
    const std::size_t said = line.find(": ");
    if (said == std::string_view::npos) return std::nullopt;
    return line.substr(said + 2);
}

LineKind kindOf(std::string_view line, std::string_view playerName) {
    if (isConsoleEcho(line)) return LineKind::Typed;
    if (ownChat(line, playerName)) return LineKind::OwnChat;
    if (isSpokenLine(line)) return LineKind::OtherChat;
    return LineKind::GamePrint;
}

}  // namespace varnok::console
