#pragma once
// Whole files on disk, the one way reply files and playlists are read and
// written. Reading takes the whole file, up to a size limit, before anything
// is parsed; writing goes to a temporary file beside the target that replaces
// the target only once it is complete, so a failed save keeps the old file
// and leaves no temporary file behind. Failures are described with the path
// and the system's reason, in one form for every kind of file.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace varnok::text {

struct WholeFileRead {
    enum class Outcome {
        Read,       // `content` holds the whole file
        Missing,    // no such file, or no such folder on its way
        TooLarge,   // larger than the limit; not read
        Unreadable  // there, but a folder or a file that cannot be opened or read
    };
    Outcome outcome = Outcome::Unreadable;
    std::string content;      // only when Read
    std::string description;  // what went wrong, for the user; empty when Read
};

// Reads `file` whole when it holds at most `mostBytes`. `kind` names the file
// in descriptions ("reply file", "playlist file").
WholeFileRead readWholeFile(const std::filesystem::path& file, std::uintmax_t mostBytes,
                            std::string_view kind);

// Replaces `file` with `content` through the temporary file `file` + ".tmp".
// Nothing on success; otherwise the failure's description, the target then
// being as it was.
std::optional<std::string> replaceFile(const std::filesystem::path& file, std::string_view content,
                                       std::string_view kind);

}  // namespace varnok::text
