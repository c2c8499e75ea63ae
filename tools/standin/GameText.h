#pragma once
// The lines the stand-in game prints, as the game hands them to its console
// (colour codes and "\n" line ends included: the print rule in PaneText.h
// turns them into what the pane shows), and the control channel's small text
// rules.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace standin {

inline constexpr const char* kDefaultName = "Padawan";
// The longest chat line players see, in bytes: the name with its colour codes,
// the colon and the text (the game keeps it in a 150-byte buffer).
inline constexpr std::size_t kLongestChatLine = 149;

// `"<cvar>" is:"<value>^7" default:"<default>^7"`: a cvar typed alone.
std::string cvarLine(const std::string& cvar, const std::string& value,
                     const std::string& defaultValue);
// A community client's answer to a cvar typed alone:
// `^9Cvar ^7<cvar> = ^9"^7<value>^9"^7, ^7default = ^9"^7<default>^9"^7`.
std::string communityCvarLine(const std::string& cvar, const std::string& value,
                              const std::string& defaultValue);
// `<cvar> is write protected.`
std::string writeProtectedLine(const std::string& cvar);

// The text of a chat command as the server and the game pass it on: the words
// from `first` on joined by single blanks (the tokenizer took the quotes, the
// runs of blanks and a "//" comment away), each "%" shown as ".".
std::string chatText(const std::vector<std::string>& words, std::size_t first);

// A community client's "say" as it leaves for the server: the words from
// `first` on, each token such as "%H%" replaced by what it stands for (here
// the health, "100"), joined by one blank, with a blank at the end.
std::string rebuiltSayText(const std::vector<std::string>& words, std::size_t first);

enum class ChatKind { all, team, tell };
// The chat line as the game prints it, cut to kLongestChatLine bytes:
// "<name>^7: ^2<text>", "(<name>^7): ^5<text>" for team chat, "[<name>^7]: ^6<text>"
// for a private message.
std::string chatLine(ChatKind kind, const std::string& name, const std::string& text);

// `Unknown command "<word>^7"`.
std::string unknownCommandLine(const std::string& word);

// The phrases of the player's language that the game's event lines are made
// of (English unless set); the names keep their places whatever the language.
class Phrases {
  public:
    enum Token {
        playerEntered,  // PLENTER: "entered the game"
        playerRenamed,  // PLRENAME: "renamed to"
        duelAccepted,   // PLDUELACCEPT: "has become engaged in a duel with"
        timeLimitHit,   // TIMELIMIT_HIT: "Timelimit hit"
        killLimitHit,   // HIT_THE_KILL_LIMIT: "hit the kill limit"
        killedBySaber,  // KILLED_SABER: "was sabered by"
        killedHimself,  // KILLED_HIMSELF: "killed himself."
        killedHerself,  // KILLED_HERSELF: "killed herself."
        tokenCount
    };
    Phrases();
    // Sets the phrase of a token by its name ("PLENTER", any letter case); false for another name.
    bool set(const std::string& token, const std::string& text);
    const std::string& operator[](Token token) const { return texts_[token]; }

  private:
    std::string texts_[tokenCount];
};

// "<name>^7 <PLENTER>".
std::string enterLine(const Phrases& phrases, const std::string& name);
// "<old>^7 <PLRENAME> <new>".
std::string renameLine(const Phrases& phrases, const std::string& oldName,
                       const std::string& newName);
// "<a>^7 <PLDUELACCEPT> <b>^7!".
std::string duelLine(const Phrases& phrases, const std::string& first, const std::string& second);
// "<TIMELIMIT_HIT>.".
std::string timeLimitLine(const Phrases& phrases);
// "<name> <HIT_THE_KILL_LIMIT>." (team games name "Red" or "Blue").
std::string killLimitLine(const Phrases& phrases, const std::string& name);
// "<name> hit the win limit.", English in every language.
std::string winLimitLine(const std::string& name);
// An obituary in the parts the game prints it in: "<victim>^7", then
// " <KILLED_SABER> <attacker>^7" and the line end, or, without an attacker,
// " <KILLED_HIMSELF or KILLED_HERSELF>" with the line end.
std::vector<std::string> obituaryParts(const Phrases& phrases, const std::string& victim,
                                       const std::string& attacker, bool herself);

// Decodes \r, \n, \t and \\ ; any other backslash stays as it is.
std::string decodeEscapes(const std::string& text);

// Splits "verb rest" at the first blank: the verb in lower case, the rest as typed.
std::pair<std::string, std::string> splitCommand(const std::string& line);

// Exactly `count` pane characters of filler lines ("....." + CR LF), never
// ending in a lone CR.
std::string fillerText(long count);

}  // namespace standin
