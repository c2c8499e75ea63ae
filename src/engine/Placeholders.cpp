#include "engine/Placeholders.h"

#include "text/Text.h"

namespace varnok::engine {

std::string fillPlaceholders(std::string_view message, std::string_view playerName,
                             std::string_view otherName) {
    return fillOtherName(text::replaceAllNoCase(message, "%s", playerName), otherName);
}

std::string fillOtherName(std::string_view message, std::string_view otherName) {
    return text::replaceAllNoCase(message, "%d", otherName);
}

}  // namespace varnok::engine
