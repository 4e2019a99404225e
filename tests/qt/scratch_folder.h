#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace plimex::qt::testing {

// A fresh folder under the system's temporary folder, removed with its
// contents at the end of the test.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "plimex-qt-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    // The folder's path with its trailing '/', as the program writes folders.
    std::string Folder() const { return path_.string() + "/"; }
    std::string operator/(const std::string& name) const { return Folder() + name; }
    void Write(const std::string& name, const std::string& contents = {}) const {
        std::ofstream(Folder() + name, std::ios::binary) << contents;
    }

  private:
    std::filesystem::path path_;
};

}  // namespace plimex::qt::testing
