#pragma once
// The actions of the chat command chain and the rules they share. The chain
// recognises a command word in the turn's text and runs its action here; each
// action cuts its own argument, drives the windows and the player, and answers
// in the game through the console ("say" lines everyone sees, "echo" lines only
// the local player sees).

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/CommandContext.h"
#include "console/CommandLine.h"

namespace varnok::commands {

// The turn a command runs in: its collaborators, the line being examined and
// the local player's name (both handed over by the engine), and the two ways
// of answering. Every "say" keeps to the server's flood guard by itself (the
// console link's), also when no pause of the command's own comes before it.
struct CommandTurn {
    CommandTurn(const CommandContext& context, std::string newText, std::string playerName);

    const CommandContext& context;
    const std::string newText;
    const std::string playerName;

    void send(const console::CommandLine& line) const;
    // A blocking pause: only the console is still read meanwhile.
    void wait(float seconds) const;
};

// --- Argument rules -------------------------------------------------------

// The argument of a command: the text from `offset` characters after the start
// of the first `marker` (letter case ignored) to the end, less its last two
// characters (the line break). Nothing when the marker is absent or the cut
// would have a negative length.
std::optional<std::string> commandArgument(std::string_view newText, std::string_view marker,
                                           std::size_t offset);

// A name given in the chat is only ever a file name inside the "Saves" folder:
// one holding "/", "\", ":" or ".." could reach elsewhere and is refused, and
// so is a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, any letter case,
// with or without an extension).
bool isPlainFileName(std::string_view name);

// The loudness "!vol" passes on: the argument read as a decimal number, its
// whole part rounded down; nothing when it is no number or its whole part lies
// outside -32768..32767.
std::optional<std::int16_t> volumeArgument(std::string_view argument);

// --- The actions, in the chain's order ------------------------------------

void loadCommand(const CommandTurn& turn);       // "!load <name>"
void playlistCommand(const CommandTurn& turn);   // "!playlist <name>"
void stopCommand(const CommandTurn& turn);       // "!stop"
void commandsCommand(const CommandTurn& turn);   // "!commands"
void nowCommand(const CommandTurn& turn);        // "!now"
void nextCommand(const CommandTurn& turn);       // "!next"
void prevCommand(const CommandTurn& turn);       // "!prev"
void miniCommand(const CommandTurn& turn);       // "!mini"
void volCommand(const CommandTurn& turn);        // "!vol <number>"
void pauseCommand(const CommandTurn& turn);      // "!pause"
void listSongsCommand(const CommandTurn& turn);  // "!listsongs"
void playCommand(const CommandTurn& turn);       // "!play" and "!play <part of a name>"

// The Play/Pause media key: "!pause" while a song plays, "!play" alone while
// it is paused; while stopped, the selected entry (the first when none) plays
// and is announced as "!next" announces its song.
void playPauseCommand(const CommandTurn& turn);

// --- Texts ------------------------------------------------------------------

// The 14 help lines of "!commands", in the order they are sent.
const std::vector<std::string>& helpLines();

// The lines of "!listsongs" after its "/clear": four names a line, each line
// with all four colour markers even when fewer names are left.
std::vector<console::CommandLine> listingLines(const std::vector<std::string>& names);

// A local date and time as "!now" reads it out: the short date, a blank and
// the long time ("2024-03-05 14:07:09").
std::string dateTimeText(const std::tm& local);

}  // namespace varnok::commands
