#include "replies/ReplyFileStore.h"

#include "text/SystemPath.h"
#include "text/WholeFile.h"

namespace varnok::replies {

std::filesystem::path replyFilePath(const std::filesystem::path& savesFolder,
                                    const std::string& name) {
    return savesFolder / text::toPath(name + ".vnk");
}

ReplyFileRead readReplyFile(const std::filesystem::path& file) {
    text::WholeFileRead read = text::readWholeFile(file, kMostReplyFileBytes, "reply file");
    switch (read.outcome) {
        case text::WholeFileRead::Outcome::Read:
            return parseReplyFile(read.content);
        case text::WholeFileRead::Outcome::TooLarge:
            return {std::nullopt, ReplyFileFault::TooLarge, std::move(read.description)};
        default:
            return {std::nullopt, ReplyFileFault::CannotOpen, std::move(read.description)};
    }
}

std::optional<std::string> writeReplyFile(const std::filesystem::path& file, const ReplySet& set) {
    if (!fitsOnLines(set))
        return "A reply text holds a line break; a reply file keeps each text on one line.";
    return text::replaceFile(file, serialiseReplySet(set), "reply file");
}

}  // namespace varnok::replies
