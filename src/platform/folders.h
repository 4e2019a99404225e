#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plimex {

// An existing folder's full path, without "." and ".." steps.
struct FolderPath {
    std::wstring full;
    std::size_t rootLength = 0;  // "C:\", "\\server\share\" or "/"
};

// The folders behind the drive and folder lists.
class Folders {
  public:
    virtual ~Folders() = default;
    // Nothing when the path names no existing folder.
    virtual std::optional<FolderPath> Locate(const std::wstring& path) const = 0;
    // The names of a folder's visible subfolders, in the order the list shows
    // them; nothing when the folder cannot be shown.
    virtual std::optional<std::vector<std::wstring>> Subfolders(
        const std::wstring& folder) const = 0;
    // Whether two names are the same to the file system (ignoring case or not).
    virtual bool SameName(std::wstring_view a, std::wstring_view b) const = 0;
    virtual wchar_t Separator() const = 0;
};

}  // namespace plimex
