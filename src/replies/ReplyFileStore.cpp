#include "replies/ReplyFileStore.h"

#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>

#include "text/SystemPath.h"

namespace varnok::replies {

namespace {

std::string describe(const std::string& what, const std::filesystem::path& file, int error) {
    std::string line = what + " \"" + text::fromPath(file) + "\"";
    if (error != 0) line += ": " + std::generic_category().message(error);
    return line + ".";
}

}  // namespace

std::filesystem::path replyFilePath(const std::filesystem::path& savesFolder,
                                    const std::string& name) {
    return savesFolder / text::toPath(name + ".vnk");
}

ReplyFileRead readReplyFile(const std::filesystem::path& file) {
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(file, sizeError);
    if (!sizeError && size > kMostReplyFileBytes)
        return {std::nullopt, ReplyFileFault::TooLarge,
                "The file \"" + text::fromPath(file) + "\" is too large for a reply file."};
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {std::nullopt, ReplyFileFault::CannotOpen,
                describe("Cannot open the reply file", file, errno ? errno : ENOENT)};
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return {std::nullopt, ReplyFileFault::CannotOpen,
                describe("Cannot read the reply file", file, errno)};
    return parseReplyFile(content.str());
}

std::optional<std::string> writeReplyFile(const std::filesystem::path& file, const ReplySet& set) {
    if (!fitsOnLines(set))
        return "A reply text holds a line break; a reply file keeps each text on one line.";
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    const std::string content = serialiseReplySet(set);
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return describe("Cannot create the reply file", file, errno);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            const int error = errno;
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return describe("Cannot write the reply file", file, error);
        }
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, file, renamed);
    if (renamed) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return "Cannot replace the reply file \"" + text::fromPath(file) +
               "\": " + renamed.message() + ".";
    }
    return std::nullopt;
}

}  // namespace varnok::replies
