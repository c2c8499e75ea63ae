#include "replies/ReplyFile.h"

#include <vector>

#include "text/Text.h"

namespace varnok::replies {

namespace {

constexpr std::size_t kCurrentLines = 14;
constexpr std::size_t kOlderLines = 12;

std::string numberLine(int value) {
    std::string line = " ";
    line += std::to_string(value);
    line += ' ';
    return line;
}

// The reading position in the file's lines, with the 1-based line number of
// the next line for the failure descriptions.
struct LineReader {
    const std::vector<std::string_view>& lines;
    std::size_t next = 0;

    std::size_t number() const { return next + 1; }
    std::string_view take() { return lines[next++]; }
};

std::optional<int> numberInRange(std::string_view line, int highest) {
    const std::optional<long long> value = text::parseWholeNumber(line);
    if (!value || *value < 0 || *value > highest) return std::nullopt;
    return static_cast<int>(*value);
}

ReplyFileRead fault(ReplyFileFault kind, std::string description) {
    return {std::nullopt, kind, std::move(description)};
}

// Reads a text line and its flag line into one reply message; a description
// of the fault when the flag is no number from 0 to 255.
std::optional<std::string> readMessage(LineReader& in, std::string& textOut,
                                       std::uint8_t& flagOut) {
    textOut = in.take();
    const std::size_t line = in.number();
    const std::optional<int> flag = numberInRange(in.take(), 255);
    if (!flag)
        return "Line " + std::to_string(line) + " of the reply file is not a flag from 0 to 255.";
    flagOut = static_cast<std::uint8_t>(*flag);
    return std::nullopt;
}

std::optional<int> readOption(LineReader& in) {
    return numberInRange(in.take(), 2);
}

}  // namespace

std::string serialiseReplySet(const ReplySet& set) {
    const ReplyMessages& m = set.messages;
    const ReplyOptions options = set.options.value_or(ReplyOptions{0, 0});
    const std::string lines[] = {std::string(kReplyHeader),
                                 set.duelEngage,
                                 set.duelWon,
                                 set.duelLost,
                                 m.Greet,
                                 numberLine(m.GreetEn),
                                 m.Death,
                                 numberLine(m.DeathEn),
                                 m.Enter,
                                 numberLine(m.EnterEn),
                                 m.limit,
                                 numberLine(m.Limiten),
                                 numberLine(options.showPlaylistOnBottom),
                                 numberLine(options.sayPlayingSong)};
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

ReplyFileRead parseReplyFile(std::string_view content) {
    const std::vector<std::string_view> lines = text::splitLines(content, text::LineEnds::CrLfOrCr);
    if (lines.empty()) return fault(ReplyFileFault::EndsEarly, "The reply file is empty.");
    const std::string_view header = lines.front();
    const bool current = header == kReplyHeader;
    if (!current && header != kOlderReplyHeader)
        return fault(ReplyFileFault::WrongHeader, kWrongHeaderMessage);

    const std::size_t needed = current ? kCurrentLines : kOlderLines;
    if (lines.size() < needed)
        return fault(ReplyFileFault::EndsEarly, "The reply file ends after line " +
                                                    std::to_string(lines.size()) + "; it needs " +
                                                    std::to_string(needed) + " lines.");

    LineReader in{lines, 1};
    ReplySet set;
    set.duelEngage = in.take();
    set.duelWon = in.take();
    set.duelLost = in.take();
    ReplyMessages& m = set.messages;
    for (auto [textOut, flagOut] :
         {std::pair{&m.Greet, &m.GreetEn}, std::pair{&m.Death, &m.DeathEn},
          std::pair{&m.Enter, &m.EnterEn}, std::pair{&m.limit, &m.Limiten}}) {
        if (auto bad = readMessage(in, *textOut, *flagOut))
            return fault(ReplyFileFault::BadFlag, *bad);
    }
    if (current) {
        const std::optional<int> bottom = readOption(in);
        const std::optional<int> say = readOption(in);
        if (!bottom || !say)
            return fault(ReplyFileFault::BadOption,
                         "Line " + std::to_string(bottom ? 14 : 13) +
                             " of the reply file is not a check-box state 0, 1 or 2.");
        set.options = ReplyOptions{*bottom, *say};
    }
    return {std::move(set), ReplyFileFault::None, {}};
}

bool fitsOnLines(const ReplySet& set) {
    const ReplyMessages& m = set.messages;
    for (const std::string* s :
         {&set.duelEngage, &set.duelWon, &set.duelLost, &m.Greet, &m.Death, &m.Enter, &m.limit}) {
        if (s->find_first_of("\r\n") != std::string::npos) return false;
    }
    return true;
}

}  // namespace varnok::replies
