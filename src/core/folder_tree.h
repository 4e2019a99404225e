#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace plimex {

// What the classic folder list shows: the folders on the way from the root
// down to the current one, then the current folder's own subfolders.
struct FolderTree {
    std::vector<std::wstring> chain;  // the root, then each folder's name
    std::vector<std::wstring> subfolders;
    wchar_t separator = L'\\';

    std::size_t CurrentEntry() const { return chain.size() - 1; }
    std::size_t EntryCount() const { return chain.size() + subfolders.size(); }
    const std::wstring& NameOfEntry(std::size_t index) const;
    // How far in an entry is drawn: a subfolder one step below the current folder.
    std::size_t DepthOfEntry(std::size_t index) const;
    std::wstring PathOfEntry(std::size_t index) const;
};

}  // namespace plimex
