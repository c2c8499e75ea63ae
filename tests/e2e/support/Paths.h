#pragma once
// Where the programs under test are: VARNOK_EXE and VARNOK_STANDIN_EXE when
// set, otherwise their places in the build tree relative to the test program
// (build/windows/Varnok.exe, build/windows/tools/standin/standin.exe).

#include <string>

namespace e2e {

std::string varnokExePath();
std::string standInExePath();
bool fileExists(const std::string& path);

}  // namespace e2e
