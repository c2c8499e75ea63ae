#pragma once
// The game's answers to Varnok's questions. A console variable typed alone is
// answered `"<name>" is:"<value>" default:"<default>"` (the pane shows it
// without colour codes); the answer to "name" names the player (NameReader.h).

#include <optional>
#include <string>
#include <string_view>

namespace varnok::engine {

// The value of the game's answer about the console variable `name`: the text
// between the quotes after "is:". Nothing for a line that does not begin with
// that answer (a chat line quoting one begins with its speaker) or whose
// value's quote never closes.
std::optional<std::string> cvarValue(std::string_view line, std::string_view name);

}  // namespace varnok::engine
