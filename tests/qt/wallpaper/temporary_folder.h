#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace plimex {

// A fresh folder under TMPDIR, removed with everything in it at the end.
class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "plimex-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // A name in the folder given as raw bytes, as the program's paths are.
    std::string Name(const std::string& leaf) const { return path_.string() + "/" + leaf; }

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
