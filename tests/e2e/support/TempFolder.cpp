#include "support/TempFolder.h"

#include <fstream>
#include <sstream>

namespace e2e {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace e2e
