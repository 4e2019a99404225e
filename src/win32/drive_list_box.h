#pragma once

#include <string>

#include "core/drive_roots.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// A drop-down list of the machine's drives, each shown with its volume label.
class Win32DriveListBox : public DriveRoots {
  public:
    // Lists the drives and selects the one of the current directory.
    Win32DriveListBox(HWND combo, const Folders& folders);

  private:
    int SelectedEntry() const override;
    void SelectEntry(int index) override;

    HWND combo_;
};

// What the list shows for a drive root such as "C:\": "c: [label]".
std::wstring DriveEntryText(const std::wstring& root);

}  // namespace plimex::win32
