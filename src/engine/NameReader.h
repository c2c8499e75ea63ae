#pragma once
// Reads the local player's name from the game's answer to "name", a line like
//   "name" is:"Kyle^7" default:"Padawan^7"
// The value is the text between the third and the fourth double quote of the
// answer's line, so quotes printed before the answer on that line shift which
// field is taken.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace varnok::engine {

// The phrase whose presence makes the engine read a name.
inline constexpr std::string_view kNamePhrase = "\"name\" is:";

// Walks `text`, calling `yield` before each character (false from it stops the
// walk). The text between the third and fourth quote, possibly empty; nothing
// when the fourth quote never comes or the walk was stopped.
std::optional<std::string> readNameValue(std::string_view text, const std::function<bool()>& yield);

}  // namespace varnok::engine
