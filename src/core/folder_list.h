#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/folder_tree.h"
#include "platform/controls.h"
#include "platform/folders.h"

namespace plimex {

// Dir1's behaviour; a backend draws the tree and reports the entry opened.
class FolderList : public DirList {
  public:
    explicit FolderList(const Folders& folders) : folders_(folders) {}

    std::wstring Path() const override;
    std::optional<FolderTree> Read(const std::wstring& path) const override;
    bool Show(FolderTree tree) override;
    // The folder of an entry the user opened; nothing past the last entry.
    std::optional<std::wstring> PathOfEntry(std::size_t index) const;
    const FolderTree& tree() const { return tree_; }

  protected:
    // Draws every entry of the tree, the current folder selected.
    virtual void Draw(const FolderTree& tree) = 0;

  private:
    const Folders& folders_;
    FolderTree tree_;
};

}  // namespace plimex
