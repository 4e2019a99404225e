#pragma once

#include "core/folder_list.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// The classic directory list: an owner-drawn LISTBOX whose entries are
// indented by depth; a double click or Enter opens the selected folder.
class Win32DirListBox : public FolderList {
  public:
    Win32DirListBox(HWND list, const Folders& folders) : FolderList(folders), list_(list) {}
    // Opens the folder of the selected entry; true when the folder shown changed.
    bool OpenSelected();
    void Draw(const DRAWITEMSTRUCT& item) const;

  private:
    void Show(const FolderTree& tree) override;

    HWND list_;
};

}  // namespace plimex::win32
