#pragma once
// The reply file format: a whole reply set as 8-bit text, one value a line.
// Pure parsing and writing, without files or windows, so that the format can
// be checked on its own. Reading is all or nothing: a file is either valid as
// a whole and gives a complete set, or gives no set and says why.

#include <optional>
#include <string>
#include <string_view>

#include "replies/ReplyMessages.h"

namespace varnok::replies {

// The header every file is written with (14 lines) and the older one that is
// still read (12 lines, without the two display options).
inline constexpr std::string_view kReplyHeader = "Varnok -{ZUL}- $pellow$";
inline constexpr std::string_view kOlderReplyHeader = "Varnock [RW] Pellow";
inline constexpr const char* kWrongHeaderMessage =
    "Header is not correct type. Can't continue to open.";

// The states of the two check boxes a current file carries: 0 unticked,
// 1 ticked, 2 greyed.
struct ReplyOptions {
    int showPlaylistOnBottom = 1;  // the main window's chkPlaylist
    int sayPlayingSong = 1;        // the player window's Check1
};

struct ReplySet {
    std::string duelEngage, duelWon, duelLost;
    ReplyMessages messages;
    // Absent when the set came from a file with the older header: loading it
    // leaves both check boxes as they are.
    std::optional<ReplyOptions> options;
};

enum class ReplyFileFault {
    None,
    WrongHeader,
    EndsEarly,
    BadFlag,
    BadOption,
    CannotOpen,
    TooLarge
};

struct ReplyFileRead {
    std::optional<ReplySet> set;  // present only when the whole file was valid
    ReplyFileFault fault = ReplyFileFault::None;
    std::string description;  // what went wrong, for a message box
};

// The file's text under the current header, CR LF after every line, numbers
// written as a blank, the digits and a blank. Options absent are written as 0.
std::string serialiseReplySet(const ReplySet& set);

// Reads a whole file's text; lines end at CR LF or at a CR alone, and lines
// after the last one of the header's format are ignored.
ReplyFileRead parseReplyFile(std::string_view content);

// True when no text of the set holds a line break, which the one-value-a-line
// format cannot carry.
bool fitsOnLines(const ReplySet& set);

}  // namespace varnok::replies
