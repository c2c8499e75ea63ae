// The reply file reader over arbitrary file contents: it never fails other
// than by a described fault, and a set it accepts is written and read back
// unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/Check.h"
#include "replies/ReplyFile.h"

using namespace varnok::replies;
using varnok::fuzz::check;

namespace {

bool sameSet(const ReplySet& a, const ReplySet& b) {
    const ReplyMessages& m = a.messages;
    const ReplyMessages& n = b.messages;
    return a.duelEngage == b.duelEngage && a.duelWon == b.duelWon && a.duelLost == b.duelLost &&
           m.Greet == n.Greet && m.GreetEn == n.GreetEn && m.Death == n.Death &&
           m.DeathEn == n.DeathEn && m.Enter == n.Enter && m.EnterEn == n.EnterEn &&
           m.limit == n.limit && m.Limiten == n.Limiten;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const ReplyFileRead read = parseReplyFile(content);
    if (!read.set) {
        check(read.fault != ReplyFileFault::None, "a refused file names its fault");
        check(!read.description.empty(), "a refused file says why");
        return 0;
    }
    check(read.fault == ReplyFileFault::None, "an accepted file has no fault");
    const ReplySet& set = *read.set;
    for (int option : {set.options ? set.options->showPlaylistOnBottom : 0,
                       set.options ? set.options->sayPlayingSong : 0})
        check(option >= 0 && option <= 2, "check-box states are 0, 1 or 2");
    if (!fitsOnLines(set)) return 0;  // a lone LF inside a line cannot be written back

    const ReplyFileRead again = parseReplyFile(serialiseReplySet(set));
    check(again.set.has_value(), "a written set reads back");
    check(sameSet(set, *again.set), "a written set reads back unchanged");
    if (set.options) {
        check(again.set->options->showPlaylistOnBottom == set.options->showPlaylistOnBottom &&
                  again.set->options->sayPlayingSong == set.options->sayPlayingSong,
              "the check-box states read back unchanged");
    }
    return 0;
}
