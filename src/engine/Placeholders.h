#pragma once
// Placeholders in reply texts: "%s" stands for the local player's name, "%d"
// for the other player's. Every occurrence is replaced, whatever its letter
// case, "%s" first.

#include <string>
#include <string_view>

namespace varnok::engine {

std::string fillPlaceholders(std::string_view message, std::string_view playerName,
                             std::string_view otherName);
// Only "%d": messages that leave "%s" as typed (the greeting).
std::string fillOtherName(std::string_view message, std::string_view otherName);

}  // namespace varnok::engine
