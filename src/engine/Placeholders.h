#pragma once
// Placeholders in reply texts: "%s" stands for the local player's name, "%d"
// for the other player's. Every occurrence is replaced, whatever its letter
// case, "%s" first. The reply text is the player's own and stays as written;
// the names come from the game's console and are values from outside.

#include <string_view>

#include "console/CommandLine.h"

namespace varnok::engine {

console::CommandLine fillPlaceholders(std::string_view message, std::string_view playerName,
                                      std::string_view otherName);
// Only "%d": messages that leave "%s" as typed (the greeting).
console::CommandLine fillOtherName(std::string_view message, std::string_view otherName);

}  // namespace varnok::engine
