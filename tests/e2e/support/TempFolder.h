#pragma once
// The tests' one temporary folder (common/TempFolder.h) under the name the
// end-to-end tests use, and reading a file back.

#include <string>

#include "common/TempFolder.h"

namespace e2e {

using TempFolder = varnok::testsupport::TempFolder;

// The whole content of a file; empty when it cannot be read.
std::string readFile(const std::string& path);

}  // namespace e2e
