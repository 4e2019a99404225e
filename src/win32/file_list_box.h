#pragma once

#include <string>

#include "platform/controls.h"
#include "win32/system_ansi_code_page.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// A LISTBOX with LBS_SORT: the control keeps its order, and a fill of the
// empty box puts the names straight into that order.
class Win32FileListBox : public ListBox {
  public:
    explicit Win32FileListBox(HWND list) : list_(list) {}
    void Clear() override;
    void AddItems(PackedNames names) override;
    int ListIndex() const override;
    std::wstring List(int index) const override;
    int ListCount() const override;

  private:
    HWND list_;
    SystemAnsiCodePage codePage_;
};

}  // namespace plimex::win32
