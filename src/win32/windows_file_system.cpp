#include "win32/windows_file_system.h"

#include <algorithm>
#include <string_view>

#include "win32/bitmap_file.h"
#include "win32/handles.h"
#include "win32/system_ansi_code_page.h"
#include "win32/windows_api.h"

namespace plimex::win32 {
namespace {

constexpr DWORD kNotListed =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool IsNormal(DWORD attributes) {
    return (attributes & kNotListed) == 0;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A pattern of three letters after the dot also matches the short 8.3 name of
// a longer extension ("x.bmpx" is "X~1.BMP"): keep only names whose real
// extension is the one asked for.
bool HasExtensionOf(const std::string& name, const std::string& pattern) {
    const auto dot = pattern.rfind('.');
    if (dot == std::string::npos || pattern.find_first_of("*?", dot) != std::string::npos) {
        return true;
    }
    const std::string_view extension = std::string_view(pattern).substr(dot);
    if (name.size() < extension.size()) {
        return false;
    }
    const std::string_view end = std::string_view(name).substr(name.size() - extension.size());
    // Nearly every name ends in it as asked or in capitals: that is settled by
    // comparing ASCII letters, without a call into the locale's rules for
    // each name of a large folder.
    const auto sameLetter = [](char a, char b) { return AsciiLower(a) == AsciiLower(b); };
    return std::ranges::equal(end, extension, sameLetter) ||
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, end.data(),
                          static_cast<int>(end.size()), extension.data(),
                          static_cast<int>(extension.size())) == CSTR_EQUAL;
}

// Writes the whole text and flushes it, so that a file replaced by it is
// never left half written.
bool WriteWholeFile(const std::string& name, const std::string& contents) {
    UniqueFile file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return false;
    }
    DWORD written = 0;
    const bool complete =
        ::WriteFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &written,
                    nullptr) != 0 &&
        written == contents.size() && FlushFileBuffers(file.Get()) != 0;
    return file.Close() && complete;
}

// The folder of this program's file, with its final backslash; empty when
// the path does not fit in MAX_PATH, as no "A" function could use it then.
std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    const std::string program(path, length);
    return program.substr(0, program.find_last_of('\\') + 1);
}

std::string FolderOf(const std::string& name) {
    const auto slash = name.find_last_of("\\/:");
    return slash == std::string::npos ? std::string(".") : name.substr(0, slash + 1);
}

}  // namespace

bool WindowsFileSystem::IsOrdinaryFile(const std::string& name) const {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && IsNormal(attributes);
}

bool WindowsFileSystem::IsFolder(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

PackedNames WindowsFileSystem::FindNormalFiles(const std::string& pattern) const {
    PackedNames names;
    WIN32_FIND_DATAA found;
    const UniqueFind search = AdoptFind(FindFirstFileA(pattern.c_str(), &found));
    if (!search) {
        return names;
    }
    do {
        if (!IsNormal(found.dwFileAttributes) || !HasExtensionOf(found.cFileName, pattern)) {
            continue;
        }
        // "?" cannot be part of a file name: it stands for a character the
        // code page lacks, and the name would open another file or none.
        std::string name = found.cFileName;
        if (name.find('?') == std::string::npos) {
            names.Add(name);
        } else if (found.cAlternateFileName[0] != '\0') {
            names.Add(found.cAlternateFileName);
        } else {
            diagnostics_.ReportFailure(
                "FindFirstFileA", pattern,
                "left out: " + name + " has characters the code page lacks and no short name");
        }
    } while (FindNextFileA(search.get(), &found));
    return names;
}

// Our own decoder, bounds-checked and size-limited, rather than the system's,
// which reads past the end of a file cut short.
DecodedBitmap WindowsFileSystem::ReadBitmap(const std::string& name) const {
    return BitmapFile(name).Decode(kOpaqueArgb32);
}

std::optional<std::string> WindowsFileSystem::ReadFile(const std::string& name,
                                                       std::size_t maxBytes) const {
    UniqueFile file(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return std::nullopt;
    }
    std::string contents;
    char chunk[4096];
    DWORD got = 0;
    while (contents.size() < maxBytes &&
           ::ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr) != 0 && got > 0) {
        contents.append(chunk, std::min<std::size_t>(got, maxBytes - contents.size()));
    }
    return contents;
}

std::string WindowsFileSystem::WhyKeptAsItIs(const std::string& name) const {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return "a folder";
    }
    if ((attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0) {
        return "hidden or a system file";
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return "read-only";
    }
    return {};
}

std::wstring WindowsFileSystem::ShortPath(const std::wstring& path) const {
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    std::wstring shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (size == 0 || length == 0 || length >= size) {
        return path;
    }
    shortPath.resize(length);
    return shortPath;
}

bool WindowsFileSystem::ReplaceFile(const std::string& name, const std::string& contents) {
    char temporary[MAX_PATH];
    if (GetTempFileNameA(FolderOf(name).c_str(), "plx", 0, temporary) == 0) {
        return false;
    }
    if (WriteWholeFile(temporary, contents) &&
        MoveFileExA(temporary, name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(temporary);
    return false;
}

// The zip and the installer put sample wallpapers in "Fonds" beside the
// program: a first run rotates them rather than the system folder, which
// holds no bitmap on current Windows.
std::wstring WindowsFileSystem::DefaultImageFolder() const {
    const std::string folder = ProgramFolder();
    const std::string samples = folder + "Fonds\\";
    if (!folder.empty() && IsFolder(samples)) {
        return SystemAnsiCodePage().FromAnsi(samples);
    }
    return L"C:\\Windows\\";
}

}  // namespace plimex::win32
