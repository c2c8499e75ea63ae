#pragma once
// The one rule for file names and paths: the program's 8-bit text (in the
// system code page) becomes a file-system path, and a path becomes 8-bit text,
// only through these two functions. The platform build defines them: on
// Windows through the system code page (CP_ACP); natively the bytes as they are.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace varnok::text {

std::filesystem::path toPath(const std::string& text);
// A character the code page cannot hold comes back as the system's default one.
std::string fromPath(const std::filesystem::path& path);

// UTF-8 text (a .m3u8 playlist's) as 8-bit text by the same rule; nothing when
// it is no valid UTF-8 or holds a character the code page cannot write.
std::optional<std::string> fromUtf8(std::string_view utf8);

}  // namespace varnok::text
