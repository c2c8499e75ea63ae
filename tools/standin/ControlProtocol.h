#pragma once
// The stand-in's control channel, shared by the stand-in and its clients (the
// end-to-end tests). A client sends WM_COPYDATA to the hidden control window;
// the data is one command line (8-bit text, no terminating zero needed) and
// dwData is kControlMagic. The reply is 1 for a command that was carried out
// (or, for "hang" and "mapchange", scheduled) and 0 for an unknown or
// malformed one. The game handles the message between frames, like any other.
//
// Commands (the same lines may appear in a --script file). What they print
// goes through the console's print rule (colour codes dropped, "\n" -> CR LF)
// and, while the cvar "logfile" is on, into the game's log as it is:
//   print <text>          one print of raw text; \r \n \t \\ are decoded
//   chat <text>           the player's own chat: the client command "say <text>",
//                         sent with the next packet; the server's answer
//                         "<name>^7: ^2<text>\n" (the text as the game passes it
//                         on, GameText.h) prints after the round trip, unless the
//                         flood guard drops it (then a "flood say <text>" fault)
//   other <name> <text>   another player's chat "<name>^7: ^2<text>\n"
//   otherteam <name> <text>  team chat "(<name>^7): ^5<text>\n"
//   othertell <name> <text>  a private message "[<name>^7]: ^6<text>\n"
//   enter [<name>]        "<name>^7 <PLENTER>\n" (default: the player)
//   kill <victim> [<attacker>]  an obituary in parts: "<victim>^7", then
//                         " <KILLED_SABER> <attacker>^7" and "\n" (or, without
//                         an attacker, " <KILLED_HIMSELF>\n")
//   killedherself <victim>  the same with " <KILLED_HERSELF>\n"
//   rename <new name>     "<old>^7 <PLRENAME> <new>\n", then the name changes
//   duel <a> <b>          "<a>^7 <PLDUELACCEPT> <b>^7!\n"
//   timelimit             "<TIMELIMIT_HIT>.\n"
//   killlimit <name>      "<name> <HIT_THE_KILL_LIMIT>.\n" (team games: Red, Blue)
//   winlimit <name>       "<name> hit the win limit.\n" (English in every language)
//   phrase <TOKEN> <text> the phrase of the player's language for PLENTER,
//                         PLRENAME, PLDUELACCEPT, TIMELIMIT_HIT,
//                         HIT_THE_KILL_LIMIT, KILLED_SABER, KILLED_HIMSELF or
//                         KILLED_HERSELF (English until set: "entered the game",
//                         "renamed to", "has become engaged in a duel with",
//                         "Timelimit hit", "hit the kill limit", "was sabered
//                         by", "killed himself.", "killed herself.")
//   logfile <n>           sets the cvar "logfile" as a key bound to it would:
//                         nothing echoed, nothing printed
//   setname <name>        changes the player name silently
//   type <lines>          types each line (\n separates them, escapes decoded)
//                         into the input line with WM_CHAR 13, all in one pump
//   closeconsole          destroys the console window (the game window stays)
//   openconsole           creates the console window again (empty pane)
//   showconsole / hideconsole  shows / hides the console window
//   moveconsole <x> <y>   moves the console window (the game centres it; the
//                         demo puts it where Varnok's windows leave it seen)
//   hidegame / showgame   hides / shows the game's main window
//   activate              brings the game's main window to the front with the keyboard
//   hang <ms>             the current frame stalls: no message handled for <ms>
//   mapchange [<ms>]      a map change: server start-up lines and "Loading dll
//                         file jampgame.", a stall of <ms> (default 3000), then
//                         "Loading dll file cgame." and "... ui."
//   fill <n>              the pane holds exactly <n> characters of filler lines
//                         (the print count becomes <n>)
//   clearpane             the Clear button
//   copy                  the Copy button
//   fatal <text>          the fatal-error layout with <text> in the error box
//   connect / disconnect  with or without a server (without: server commands
//                         answer "Unknown command")
//   press <title>|<caption>  clicks the button <caption> of the top-level window
//                         <title> of another program (the demo opens Varnok's
//                         player window with it)
//   quit                  ends the stand-in
//   wait <ms>             (scripts only) pause before the next line

#include <cstdint>

namespace standin {

inline constexpr const char* kControlClass = "VarnokStandInControl";
inline constexpr const char* kControlTitle = "Varnok stand-in control";
inline constexpr std::uintptr_t kControlMagic = 0x564E4B43;  // "VNKC"

inline constexpr const char* kConsoleTitle = "Jedi Knight Academy MP Console";
inline constexpr const char* kConsoleClass = "JAMP WinConsole";
// The game's main window class in Windows-1252: the registered sign is byte 0xAE.
inline constexpr const char* kGameClass = "Jedi Knight\xAE: Jedi Academy (MP)";
inline constexpr const char* kGameTitle = "Jedi Knight Academy (stand-in)";

}  // namespace standin
