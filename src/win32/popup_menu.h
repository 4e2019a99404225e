#pragma once

#include <string>
#include <string_view>

#include "platform/tray_icon.h"
#include "win32/handles.h"

namespace plimex::win32 {

// The tray's popup menu, built from the layout's entries.
class PopupMenu {
  public:
    PopupMenu();
    // Opens the menu at the mouse, its default item in bold, and returns the
    // item picked once it has closed.
    MenuItem Track(HWND owner) const;
    HMENU Handle() const { return menu_.get(); }
    void SetItemText(std::string_view item, const std::wstring& text);
    // An item's command is its place in the layout's menu, after the controls.
    static int CommandOf(std::string_view item);

  private:
    UniqueMenu menu_;
};

}  // namespace plimex::win32
