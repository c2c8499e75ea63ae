#pragma once
// Text helpers shared by every recogniser. Text is 8-bit, one byte a character,
// in the system code page; "letter case ignored" folds ASCII and Windows-1252
// letters alike so that names with accented letters compare as players expect.

#include <optional>
#include <string>
#include <string_view>

namespace varnok::text {

// Position of the first occurrence of `needle` in `hay`, letter case ignored;
// npos when absent. An empty needle is found at 0.
std::size_t findNoCase(std::string_view hay, std::string_view needle, std::size_t from = 0);

bool containsNoCase(std::string_view hay, std::string_view needle);
bool beginsWithNoCase(std::string_view hay, std::string_view prefix);
bool equalsNoCase(std::string_view a, std::string_view b);

// Replaces every occurrence of `placeholder` (letter case ignored) with `value`.
std::string replaceAllNoCase(std::string_view hay, std::string_view placeholder,
                             std::string_view value);

// The last `count` characters of `s` (all of it when shorter).
std::string lastChars(std::string_view s, std::size_t count);

// `s` less its last `drop` characters; nothing when `s` is shorter than that,
// which callers treat as a step to skip rather than an error to raise.
std::optional<std::string> dropLast(std::string_view s, std::size_t drop);

// The text before the first occurrence of `marker` (case ignored); nothing when absent.
std::optional<std::string> before(std::string_view s, std::string_view marker);

// The text that starts `offset` characters after the start of the first
// occurrence of `marker` (case ignored) and runs to the end; nothing when the
// marker is absent or the offset runs past the end.
std::optional<std::string> afterMarker(std::string_view s, std::string_view marker,
                                       std::size_t offset);

// The text up to, not including, the first NUL; all of it when there is none.
std::string trimAtNull(std::string_view s);

// Leading and trailing blanks removed.
std::string trimBlanks(std::string_view s);

}  // namespace varnok::text
