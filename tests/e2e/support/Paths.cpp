#include "support/Paths.h"

#include <windows.h>

#include <cstdlib>

namespace e2e {

namespace {

// The build tree's top: two folders above the test program (tests/e2e/).
std::string buildRoot() {
    char self[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    for (int up = 0; up < 3; ++up) {
        size_t slash = path.find_last_of("\\/");
        if (slash == std::string::npos) break;
        path.resize(slash);
    }
    return path;
}

std::string fromEnvironment(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

}  // namespace

std::string varnokExePath() {
    return fromEnvironment("VARNOK_EXE", buildRoot() + "\\Varnok.exe");
}

std::string standInExePath() {
    return fromEnvironment("VARNOK_STANDIN_EXE", buildRoot() + "\\tools\\standin\\standin.exe");
}

bool fileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace e2e
