#include "engine/Placeholders.h"

namespace varnok::engine {

console::CommandLine fillPlaceholders(std::string_view message, std::string_view playerName,
                                      std::string_view otherName) {
    return console::CommandLine(message).filled("%s", playerName).filled("%d", otherName);
}

console::CommandLine fillOtherName(std::string_view message, std::string_view otherName) {
    return console::CommandLine(message).filled("%d", otherName);
}

}  // namespace varnok::engine
