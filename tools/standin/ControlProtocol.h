#pragma once
// The stand-in's control channel, shared by the stand-in and its clients (the
// end-to-end tests). A client sends WM_COPYDATA to the hidden control window;
// the data is one command line (8-bit text, no terminating zero needed) and
// dwData is kControlMagic. The reply is 1 for a command that was carried out
// (or, for "hang", scheduled) and 0 for an unknown or malformed one.
//
// Commands (the same lines may appear in a --script file):
//   print <text>          append raw text to the pane; \r \n \t \\ are decoded
//   chat <text>           the local player's chat line "<name>^7: <text>\r\n"
//   other <name> <text>   another player's chat line "<name>^7: <text>\r\n"
//   enter [<name>]        "<name>^7 entered the game\r\n" (default: the local player)
//   rename <new name>     "<old>^7 renamed to <new>^7\r\n", then the name changes
//   setname <name>        changes the player name silently
//   type <line>           types <line> into the input line and presses Enter
//   closeconsole          destroys the console window (the game window stays)
//   openconsole           creates the console window again (empty pane)
//   hidegame / showgame   hides / shows the game's main window
//   hang <ms>             stops answering window messages for <ms> milliseconds
//   fill <n>              fills the pane with filler lines to exactly <n> characters
//   clearpane             empties the pane
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
inline constexpr const char* kConsoleClass = "VarnokStandInConsole";
// The game's main window class in Windows-1252: the registered sign is byte 0xAE.
inline constexpr const char* kGameClass = "Jedi Knight\xAE: Jedi Academy (MP)";
inline constexpr const char* kGameTitle = "Jedi Knight Academy (stand-in)";

// The most characters the game's console pane holds; appending past it empties
// the pane first.
inline constexpr long kPaneCapacity = 32767;

}  // namespace standin
