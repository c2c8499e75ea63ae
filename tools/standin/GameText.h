#pragma once
// The lines the stand-in game prints, as the game hands them to its console
// (colour codes and "\n" line ends included: the print rule in PaneText.h
// turns them into what the pane shows), and the control channel's small text
// rules.

#include <string>
#include <utility>

namespace standin {

inline constexpr const char* kDefaultName = "Padawan";
// The server keeps this many characters of a chat text.
inline constexpr std::size_t kChatTextLimit = 150;

// `"name" is:"<name>^7" default:"Padawan^7"`: the answer to "name".
std::string nameLine(const std::string& name);
// "<name>^7: <text>": a chat line; "(<name>^7): <text>" for team chat;
// "[<name>^7]: <text>" for a private message.
std::string chatLine(const std::string& name, const std::string& text);
std::string teamChatLine(const std::string& name, const std::string& text);
std::string privateChatLine(const std::string& name, const std::string& text);
// "<old>^7 renamed to <new>".
std::string renameLine(const std::string& oldName, const std::string& newName);
// "<name>^7 entered the game".
std::string enterLine(const std::string& name);
// `Unknown command "<word>^7"`.
std::string unknownCommandLine(const std::string& word);

// Decodes \r, \n, \t and \\ ; any other backslash stays as it is.
std::string decodeEscapes(const std::string& text);

// Splits "verb rest" at the first blank: the verb in lower case, the rest as typed.
std::pair<std::string, std::string> splitCommand(const std::string& line);

// Exactly `count` pane characters of filler lines ("....." + CR LF), never
// ending in a lone CR.
std::string fillerText(long count);

}  // namespace standin
