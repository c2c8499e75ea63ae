#pragma once
// Paths held as 8-bit text (the way the playlist, the dialogs and the playlist
// files carry them) and std::filesystem paths, converted in one place.

#include <filesystem>
#include <string>

namespace varnok::player {

std::filesystem::path toPath(const std::string& text);
std::string fromPath(const std::filesystem::path& path);

}  // namespace varnok::player
