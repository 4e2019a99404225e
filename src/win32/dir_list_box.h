#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// The folders a folder list shows: those on the path from the root down to
// the current folder, then the current folder's own subfolders.
struct FolderTree {
    std::vector<std::wstring> chain;  // the root ("C:\"), then each folder's name
    std::vector<std::wstring> subfolders;

    std::wstring PathTo(std::size_t depth) const;  // the folder at this depth of the chain
    std::wstring Path() const { return PathTo(chain.size() - 1); }
    // The folder of entry `index` of the list: first the chain, then the subfolders.
    std::wstring PathOfEntry(std::size_t index) const;
};

// The tree of an existing folder that can be listed; nothing otherwise.
std::optional<FolderTree> ReadFolderTree(const std::wstring& path);

// The classic directory list: an owner-drawn LISTBOX whose entries are
// indented by depth; a double click or Enter opens the selected folder.
class DirListBox : public DirList {
  public:
    explicit DirListBox(HWND list) : list_(list) {}
    std::wstring Path() const override;
    bool SetPath(const std::wstring& path) override;
    // Opens the folder of the selected entry; true when the folder shown changed.
    bool OpenSelected();
    void Draw(const DRAWITEMSTRUCT& item) const;

  private:
    void Show(const FolderTree& tree);

    HWND list_;
    FolderTree tree_;
};

}  // namespace plimex::win32
