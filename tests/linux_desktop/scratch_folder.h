#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace plimex {

// A fresh folder under the system's temporary folder, removed with its
// contents at the end of the test.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "plimex-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& path() const { return path_; }
    // The folder's path with its trailing '/', as the program writes folders.
    std::string Folder() const { return path_.string() + "/"; }
    // A name in the folder given as raw bytes, as the program's paths are.
    std::string operator/(const std::string& leaf) const { return Folder() + leaf; }
    void Write(const std::string& leaf, const std::string& contents = {}) const {
        std::ofstream(Folder() + leaf, std::ios::binary) << contents;
    }

  private:
    std::filesystem::path path_;
};

inline std::string ReadWholeFile(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void WriteWholeFile(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

// A file name that a shell, a URI, a D-Bus string or a script literal would
// all be tempted to change: blanks, quotes, a backslash, a line break,
// command substitution, '#', '%', accented letters.
inline const std::string kAwkwardLeaf = "Mon \"fond\" d'écran\\ $(touch pwned) #1 100%\nété.bmp";

}  // namespace plimex
