#pragma once
// The lines the stand-in game prints and the small text rules of its console,
// free of any window so that they read plainly.

#include <string>
#include <utility>

namespace standin {

inline constexpr const char* kDefaultName = "Padawan";

// `"name" is:"<name>^7" default:"Padawan^7"` + CR LF: the game's answer to "name".
std::string nameLine(const std::string& name);
// "<name>^7: <text>" + CR LF: a chat line.
std::string chatLine(const std::string& name, const std::string& text);
// "<old>^7 renamed to <new>^7" + CR LF.
std::string renameLine(const std::string& oldName, const std::string& newName);
// "<name>^7 entered the game" + CR LF.
std::string enterLine(const std::string& name);

// Decodes \r, \n, \t and \\ ; any other backslash stays as it is.
std::string decodeEscapes(const std::string& text);

// Splits "verb rest" at the first blank: the verb in lower case, the rest as typed.
std::pair<std::string, std::string> splitCommand(const std::string& line);
// The console command word: the verb with one leading '/' or '\' removed.
std::string consoleVerb(const std::string& verb);

// What the pane holds after appending `text` to a pane of `currentLength`
// characters: when the sum would pass `capacity`, the pane is emptied first
// (and of an oversized text only its last `capacity` characters are kept).
struct AppendPlan {
    bool emptyFirst = false;
    std::string text;
};
AppendPlan planAppend(long currentLength, const std::string& text, long capacity);

// Exactly `count` characters of filler lines ("....." + CR LF), never ending in
// a lone CR.
std::string fillerText(long count);

}  // namespace standin
