#pragma once

#include <string_view>

#include "platform/controls.h"
#include "win32/handles.h"

namespace plimex::win32 {

// The tray's popup menu, built from the layout's entries.
class PopupMenu {
  public:
    PopupMenu();
    // Opens the menu at the mouse, its default item in bold, and returns the
    // name of the item picked once it has closed (empty when none was).
    std::string_view Track(HWND owner) const;
    HMENU Handle() const { return menu_.get(); }
    // An item's command is its place in the layout's menu, after the controls.
    static int CommandOf(std::string_view item);

  private:
    UniqueMenu menu_;
};

// The caption of a menu item.
class MenuItemCaption : public CaptionedControl {
  public:
    MenuItemCaption(HMENU menu, int command) : menu_(menu), command_(command) {}
    std::wstring Caption() const override;
    void SetCaption(const std::wstring& caption) override;

  private:
    HMENU menu_;
    int command_;
};

}  // namespace plimex::win32
