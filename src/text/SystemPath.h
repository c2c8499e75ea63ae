#pragma once
// The one rule for file names and paths: the program's 8-bit text (in the
// system code page) becomes a file-system path, and a path becomes 8-bit text,
// only through these two functions. The platform build defines them: on
// Windows through the system code page (CP_ACP); natively the bytes as they are.

#include <filesystem>
#include <string>

namespace varnok::text {

std::filesystem::path toPath(const std::string& text);
// A character the code page cannot hold comes back as the system's default one.
std::string fromPath(const std::filesystem::path& path);

}  // namespace varnok::text
