#pragma once

#include <optional>
#include <string>

#include "core/folder_list.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// The classic directory list: an owner-drawn LISTBOX whose entries are
// indented by depth; a double click or Enter opens the selected folder.
class Win32DirListBox : public FolderList {
  public:
    Win32DirListBox(HWND list, const Folders& folders) : FolderList(folders), list_(list) {}
    // The folder of the selected entry, which the user opened.
    std::optional<std::wstring> SelectedPath() const;
    void Draw(const DRAWITEMSTRUCT& item) const;

  private:
    void Draw(const FolderTree& tree) override;

    HWND list_;
};

}  // namespace plimex::win32
