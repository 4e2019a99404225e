#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "win32/windows_api.h"

namespace plimex::win32::testing {

// A fresh folder under the temporary folder, removed with its files at the end.
class ScratchFolder {
  public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::string& Path() const { return path_; }  // ends in a backslash
    std::string Write(const std::string& name, const std::string& contents,
                      DWORD attributes = FILE_ATTRIBUTE_NORMAL) const;
    std::string MakeFolder(const std::string& name, DWORD attributes = 0) const;
    std::vector<std::string> Names() const;  // everything in the folder

  private:
    std::string path_;
};

// The bytes of a 24-bit bitmap file of one colour.
std::string BitmapFile(int width, int height, COLORREF colour);

std::string ReadWhole(const std::string& path);

}  // namespace plimex::win32::testing
