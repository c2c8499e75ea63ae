#include "text/WholeFile.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "text/SystemPath.h"

namespace varnok::text {

namespace {

using Outcome = WholeFileRead::Outcome;

// "Cannot read the playlist file "C:\x.lst": No such file or directory."
std::string describe(std::string_view doing, std::string_view kind,
                     const std::filesystem::path& file, const std::error_code& reason) {
    std::string line = "Cannot ";
    line.append(doing).append(" the ").append(kind);
    line += " \"" + fromPath(file) + "\"";
    if (reason) line += ": " + reason.message();
    return line + ".";
}

// The reason the C library left in errno, or `otherwise` when it left none.
std::error_code lastError(std::errc otherwise) {
    return errno != 0 ? std::error_code(errno, std::generic_category())
                      : std::make_error_code(otherwise);
}

WholeFileRead failure(Outcome outcome, std::string description) {
    return {.outcome = outcome, .description = std::move(description)};
}

void removeQuietly(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

}  // namespace

WholeFileRead readWholeFile(const std::filesystem::path& file, std::uintmax_t mostBytes,
                            std::string_view kind) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return failure(Outcome::Missing,
                       describe("read", kind, file,
                                std::make_error_code(std::errc::no_such_file_or_directory)));
    if (error) return failure(Outcome::Unreadable, describe("read", kind, file, error));
    if (std::filesystem::is_directory(status))
        return failure(
            Outcome::Unreadable,
            describe("read", kind, file, std::make_error_code(std::errc::is_a_directory)));
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    const std::string tooLarge =
        "The file \"" + fromPath(file) + "\" is too large for a " + std::string(kind) + ".";
    if (!error && size > mostBytes) return failure(Outcome::TooLarge, tooLarge);

    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return failure(Outcome::Unreadable,
                       describe("read", kind, file, lastError(std::errc::permission_denied)));
    // Read in pieces and stop past the limit: a file that grew since it was
    // measured, or a device without a size, is refused all the same.
    WholeFileRead read{.outcome = Outcome::Read};
    char piece[64 * 1024];
    while (in.read(piece, sizeof piece) || in.gcount() > 0) {
        read.content.append(piece, static_cast<std::size_t>(in.gcount()));
        if (read.content.size() > mostBytes) return failure(Outcome::TooLarge, tooLarge);
    }
    if (in.bad())
        return failure(Outcome::Unreadable,
                       describe("read", kind, file, lastError(std::errc::io_error)));
    return read;
}

std::optional<std::string> replaceFile(const std::filesystem::path& file, std::string_view content,
                                       std::string_view kind) {
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return describe("write", kind, file, lastError(std::errc::permission_denied));
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            const std::error_code reason = lastError(std::errc::io_error);
            removeQuietly(temporary);
            return describe("write", kind, file, reason);
        }
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, file, renamed);
    if (renamed) {
        removeQuietly(temporary);
        return describe("replace", kind, file, renamed);
    }
    return std::nullopt;
}

}  // namespace varnok::text
