#pragma once
// Text helpers shared by every recogniser. Text is 8-bit, one byte a character,
// in the system code page; "letter case ignored" folds ASCII and Windows-1252
// letters alike so that names with accented letters compare as players expect.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnok::text {

// Position of the first occurrence of `needle` in `hay`, letter case ignored;
// npos when absent. An empty needle is found at 0.
std::size_t findNoCase(std::string_view hay, std::string_view needle, std::size_t from = 0);

bool containsNoCase(std::string_view hay, std::string_view needle);
bool beginsWithNoCase(std::string_view hay, std::string_view prefix);
bool equalsNoCase(std::string_view a, std::string_view b);
// `s` with its letters folded as the comparisons above fold them: two texts
// are equal letter case ignored exactly when their folds are equal.
std::string foldCase(std::string_view s);
// Exact "begins with", letter case included (the chat line's speaker test).
bool beginsWith(std::string_view hay, std::string_view prefix);

// `s` with only its ASCII letters in lower or upper case, every other byte,
// accented letters included, as it is: the game's rule for the names of its
// files, and Windows' for the order of a file list. The direction matters
// where the folds are sorted: '_' and the signs between 'Z' and 'a' sort
// before the lower-case letters and after the upper-case ones.
std::string lowerCaseAscii(std::string_view s);
std::string upperCaseAscii(std::string_view s);

// The last `count` characters of `s` (all of it when shorter).
std::string lastChars(std::string_view s, std::size_t count);

// `s` less its last `drop` characters; nothing when `s` is shorter than that,
// which callers treat as a step to skip rather than an error to raise.
std::optional<std::string> dropLast(std::string_view s, std::size_t drop);

// The cuts below take names out of console text, where one piece of text may
// hold several lines; each stays within the line that holds the first
// occurrence of its marker, so a name never carries a line break and the next
// line. That line runs from the previous line break (or the text's start) to
// and including its own line end (CR LF, or a CR or an LF alone), or to the
// text's end when it has none.

// The text of that line before the marker; nothing when absent.
std::optional<std::string> before(std::string_view s, std::string_view marker);

// The text of that line from `offset` characters after the start of the
// marker to the line's end, its line end included; nothing when the marker is
// absent or the offset runs past the line's end.
std::optional<std::string> afterMarker(std::string_view s, std::string_view marker,
                                       std::size_t offset);

// afterMarker less its last `drop` characters (the line end of a console
// line); nothing when either cut is impossible.
std::optional<std::string> afterMarkerLess(std::string_view s, std::string_view marker,
                                           std::size_t offset, std::size_t drop);

// The text up to, not including, the first NUL; all of it when there is none.
std::string trimAtNull(std::string_view s);

// `s` less the blanks before and after it. `blanks` are the bytes that count
// as blanks: the blank alone in Varnok's own files and numbers, kBlanksAndTabs
// in the files other programs write (M3U playlists, the game's string files).
inline constexpr std::string_view kBlanksAndTabs = " \t";
std::string_view trimBlanks(std::string_view s, std::string_view blanks = " ");

// What ends a line of a text file.
enum class LineEnds {
    CrLfOrCr,   // CR LF or a CR alone; an LF alone is part of the line (reply
                // files and playlists, as the original program read them)
    CrLfCrOrLf  // CR LF, a CR alone or an LF alone (files other programs write)
};

// The lines of a text file, each without its line end. Text after the last
// line end is a last line of its own; a text that ends with a line end has no
// empty line after it. The lines are views into `s`.
std::vector<std::string_view> splitLines(std::string_view s, LineEnds ends);

// Colour codes: the game colours text with a "^" and a digit 0 to 7 before it,
// and its console pane drops each such pair when it prints.
// Whether `c`, after a "^", makes the pair a colour code (for a reader that
// gets the text in pieces, where a "^" may end one piece).
bool isColourDigit(char c);
// `s` as the pane prints it: every colour code dropped, any other "^" kept.
// A community client also colours with ^8 and ^9: `highest` is then '9'.
std::string stripColourCodes(std::string_view s, char highest = '7');

// A whole number written in decimal digits with an optional sign, blanks
// allowed around it ("1", " 12 ", "-3"); nothing for anything else or for a
// value beyond the range of long long.
std::optional<long long> parseWholeNumber(std::string_view s);

// A decimal number with an optional sign and an optional fraction after a
// point, blanks allowed around it (" 12", "7.5", "-1", ".5"); nothing for
// anything else.
std::optional<double> parseDecimal(std::string_view s);

}  // namespace varnok::text
