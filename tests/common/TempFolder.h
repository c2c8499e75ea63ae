#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes: the one temporary folder of every test
// program (unit, end-to-end and Win32 adapter tests).

#include <filesystem>
#include <string>

namespace varnok::testsupport {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder's path as the program's 8-bit text (text/SystemPath.h).
    std::string text() const;
    // The path of `name` inside the folder, as 8-bit text.
    std::string file(const std::string& name) const;
    // Writes `content` to `name` inside the folder and answers its path.
    std::string write(const std::string& name, const std::string& content) const;

  private:
    std::filesystem::path path_;
};

}  // namespace varnok::testsupport
