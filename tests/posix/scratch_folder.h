#pragma once

#include <cstdint>
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

// A 2x1 bitmap, 24 bits a pixel: its left and right halves have the given
// colours (0xRRGGBB).
inline std::string TwoPixelBitmap(std::uint32_t left, std::uint32_t right) {
    std::string bytes = "BM";
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
    };
    const std::uint32_t headers = 14 + 40;
    const std::uint32_t row = 8;  // two pixels, padded to four bytes
    for (const std::uint32_t value : {headers + row, 0u, headers, 40u, 2u, 1u}) put(value, 4);
    put(1, 2);
    put(24, 2);
    for (const std::uint32_t value : {0u, row, 2835u, 2835u, 0u, 0u}) put(value, 4);
    put(left, 3);  // stored blue, green, red
    put(right, 3);
    put(0, 2);
    return bytes;
}

// A file name that a shell, a URI, a D-Bus string or a script literal would
// all be tempted to change: blanks, quotes, a backslash, a line break,
// command substitution, '#', '%', accented letters.
inline const std::string kAwkwardLeaf = "Mon \"fond\" d'écran\\ $(touch pwned) #1 100%\nété.bmp";

}  // namespace plimex
