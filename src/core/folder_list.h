#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/folders.h"

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

// Dir1's behaviour; a backend draws the tree and reports the entry opened.
class FolderList : public DirList {
  public:
    explicit FolderList(const Folders& folders) : folders_(folders) {}

    std::wstring Path() const override;
    bool SetPath(const std::wstring& path) override;
    // The user opened an entry; true when the folder shown changed.
    bool OpenEntry(std::size_t index);
    const FolderTree& tree() const { return tree_; }

  protected:
    // Shows every entry of the tree, the current folder selected.
    virtual void Show(const FolderTree& tree) = 0;

  private:
    const Folders& folders_;
    FolderTree tree_;
};

}  // namespace plimex
