// Native file systems name files by bytes: the 8-bit text is the path as it is.
#include "text/SystemPath.h"

namespace varnok::text {

std::filesystem::path toPath(const std::string& text) {
    return std::filesystem::path(text);
}

std::string fromPath(const std::filesystem::path& path) {
    return path.string();
}

}  // namespace varnok::text
