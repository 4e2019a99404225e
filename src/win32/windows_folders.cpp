#include "win32/windows_folders.h"

#include <algorithm>

#include "win32/case_insensitive_order.h"
#include "win32/handles.h"

namespace plimex::win32 {
namespace {

std::wstring FullPath(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    DWORD size =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (size >= full.size()) {
        full.resize(size);
        size = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    }
    full.resize(size);
    return full;
}

// The length of "C:\" or "\\server\share\"; 0 for a path without a root.
std::size_t RootLength(const std::wstring& full) {
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') {
        return 3;
    }
    if (full.starts_with(L"\\\\")) {
        const auto shareEnd = full.find(L'\\', full.find(L'\\', 2) + 1);
        return shareEnd == std::wstring::npos ? full.size() : shareEnd + 1;
    }
    return 0;
}

constexpr DWORD kHiddenFolder = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

std::optional<FolderPath> WindowsFolders::Locate(const std::wstring& path) const {
    if (path.empty()) {
        return std::nullopt;
    }
    FolderPath place{FullPath(path)};
    place.rootLength = RootLength(place.full);
    const DWORD attributes = GetFileAttributesW(place.full.c_str());
    if (place.rootLength == 0 || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return std::nullopt;
    }
    // A share's root, like a drive's, ends in the separator.
    if (place.full.size() == place.rootLength && !place.full.ends_with(L'\\')) {
        place.full += L'\\';
        ++place.rootLength;
    }
    return place;
}

std::optional<std::vector<std::wstring>> WindowsFolders::Subfolders(
    const std::wstring& folder) const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const std::wstring pattern = folder + (folder.ends_with(L'\\') ? L"*" : L"\\*");
    const UniqueFind search = AdoptFind(FindFirstFileW(pattern.c_str(), &found));
    if (!search) {
        // An empty root has not even "." and "..": it can still be shown.
        return GetLastError() == ERROR_FILE_NOT_FOUND ? std::optional(names) : std::nullopt;
    }
    do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            (found.dwFileAttributes & kHiddenFolder) == 0 && name != L"." && name != L"..") {
            names.push_back(name);
        }
    } while (FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end(), ListsBefore);
    return names;
}

bool WindowsFolders::SameName(std::wstring_view a, std::wstring_view b) const {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace plimex::win32
