#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// A drop-down list of the machine's drives, each shown with its volume label.
class DriveListBox : public DriveList {
  public:
    // Lists the drives and selects the one of the current directory.
    explicit DriveListBox(HWND combo);
    std::wstring Drive() const override;
    bool SetDrive(const std::wstring& path) override;
    std::wstring DriveOf(const std::wstring& path) const override;

  private:
    int IndexOf(const std::wstring& path) const;

    HWND combo_;
    std::vector<std::wstring> roots_;  // in the order of the entries
};

// What the list shows for a drive root such as "C:\": "c: [label]".
std::wstring DriveEntryText(const std::wstring& root);

}  // namespace plimex::win32
