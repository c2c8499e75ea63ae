#include "engine/GameAnswers.h"

#include "text/Text.h"

namespace varnok::engine {

std::optional<std::string> cvarValue(std::string_view line, std::string_view name) {
    std::string answer = "\"";
    answer.append(name).append("\" is:\"");
    if (!text::beginsWithNoCase(line, answer)) return std::nullopt;
    const std::string_view rest = line.substr(answer.size());
    const std::size_t close = rest.find('"');
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(rest.substr(0, close));
}

}  // namespace varnok::engine
