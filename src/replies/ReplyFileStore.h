#pragma once
// Reply files on disk, read whole before anything is checked and replaced
// through a temporary file, so a failed save keeps the old file
// (text/WholeFile.h).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "replies/ReplyFile.h"

namespace varnok::replies {

// The file a reply set of this name lives in: <saves>/<name>.vnk.
std::filesystem::path replyFilePath(const std::filesystem::path& savesFolder,
                                    const std::string& name);

// A reply set is a few dozen short lines: a larger file is no reply file and is
// refused by its size, before anything is read.
inline constexpr std::uintmax_t kMostReplyFileBytes = 64 * 1024;

ReplyFileRead readReplyFile(const std::filesystem::path& file);

// Nothing on success; otherwise the description of the failure. The target is
// then unchanged and no temporary file is left behind.
std::optional<std::string> writeReplyFile(const std::filesystem::path& file, const ReplySet& set);

}  // namespace varnok::replies
