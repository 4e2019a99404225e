#include "test_files.h"

#include <fstream>
#include <sstream>

#include "win32/handles.h"

namespace plimex::win32::testing {
namespace {

// Everything in a folder (its path ends in a backslash) but "." and "..".
std::vector<WIN32_FIND_DATAA> Entries(const std::string& folder) {
    std::vector<WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA found;
    const UniqueFind search = AdoptFind(FindFirstFileA((folder + "*").c_str(), &found));
    if (search) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") {
                entries.push_back(found);
            }
        } while (FindNextFileA(search.get(), &found));
    }
    return entries;
}

void RemoveTree(const std::string& folder) {
    for (const WIN32_FIND_DATAA& entry : Entries(folder)) {
        const std::string path = folder + entry.cFileName;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            RemoveTree(path + "\\");
        } else {
            DeleteFileA(path.c_str());
        }
    }
    RemoveDirectoryA(folder.c_str());
}

void PutLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace

ScratchFolder::ScratchFolder() {
    char temporary[MAX_PATH];
    GetTempPathA(MAX_PATH, temporary);
    char name[MAX_PATH];
    GetTempFileNameA(temporary, "plx", 0, name);
    DeleteFileA(name);
    CreateDirectoryA(name, nullptr);
    path_ = std::string(name) + "\\";
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

std::string ScratchFolder::Write(const std::string& name, const std::string& contents,
                                 DWORD attributes) const {
    const std::string path = path_ + name;
    std::ofstream(path, std::ios::binary) << contents;
    SetFileAttributesA(path.c_str(), attributes);
    return path;
}

std::string ScratchFolder::MakeFolder(const std::string& name, DWORD attributes) const {
    const std::string path = path_ + name;
    CreateDirectoryA(path.c_str(), nullptr);
    if (attributes != 0) {
        SetFileAttributesA(path.c_str(), attributes);
    }
    return path;
}

std::vector<std::string> ScratchFolder::Names() const {
    std::vector<std::string> names;
    for (const WIN32_FIND_DATAA& entry : Entries(path_)) {
        names.emplace_back(entry.cFileName);
    }
    return names;
}

std::string BitmapFile(int width, int height, COLORREF colour) {
    const int rowSize = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowSize * height);
    std::string bytes = "BM";
    PutLittleEndian(bytes, 54 + pixelBytes, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 54, 4);
    PutLittleEndian(bytes, 40, 4);
    PutLittleEndian(bytes, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(bytes, static_cast<std::uint32_t>(height), 4);
    PutLittleEndian(bytes, 1, 2);
    PutLittleEndian(bytes, 24, 2);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, pixelBytes, 4);
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 0, 4);
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            row += static_cast<char>(GetBValue(colour));
            row += static_cast<char>(GetGValue(colour));
            row += static_cast<char>(GetRValue(colour));
        }
        row.resize(static_cast<std::size_t>(rowSize), '\0');
        bytes += row;
    }
    return bytes;
}

std::string ReadWhole(const std::string& path) {
    std::ostringstream contents;
    contents << std::ifstream(path, std::ios::binary).rdbuf();
    return contents.str();
}

}  // namespace plimex::win32::testing
