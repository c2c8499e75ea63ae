#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes away.

#include <string>

namespace e2e {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // The path of `name` inside the folder.
    std::string file(const std::string& name) const { return path_ + "\\" + name; }
    // Writes `content` to `name` inside the folder and answers its path.
    std::string write(const std::string& name, const std::string& content) const;

  private:
    std::string path_;
};

// The whole content of a file; empty when it cannot be read.
std::string readFile(const std::string& path);

}  // namespace e2e
