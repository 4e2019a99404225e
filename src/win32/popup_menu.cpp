#include "win32/popup_menu.h"

#include <array>

#include "core/layout.h"
#include "win32/control_ids.h"

namespace plimex::win32 {
namespace {

// The items in the layout's order.
constexpr std::array kItems{MenuItem::Activer, MenuItem::Ouvrir, MenuItem::Quitter};

}  // namespace

int PopupMenu::CommandOf(MenuItem item) {
    for (std::size_t i = 0; i < kItems.size(); ++i) {
        if (kItems[i] == item) {
            return kFirstMenuId + static_cast<int>(i);
        }
    }
    return 0;
}

PopupMenu::PopupMenu() : menu_(CreatePopupMenu()) {
    const auto entries = layout::PopupMenu();
    for (std::size_t i = 0; i < entries.size() && i < kItems.size(); ++i) {
        const std::wstring caption(entries[i].caption);
        AppendMenuW(menu_.get(), MF_STRING, CommandOf(kItems[i]), caption.c_str());
        if (entries[i].isDefault) {
            SetMenuDefaultItem(menu_.get(), CommandOf(kItems[i]), FALSE);
        }
    }
}

MenuItem PopupMenu::Track(HWND owner) const {
    POINT at{};
    GetCursorPos(&at);
    // Without the foreground the menu would stay open when the user clicks
    // elsewhere; the posted message lets it close properly afterwards.
    SetForegroundWindow(owner);
    const int command = static_cast<int>(
        TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                       owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    for (MenuItem item : kItems) {
        if (CommandOf(item) == command) {
            return item;
        }
    }
    return MenuItem::None;
}

std::wstring MenuItemCaption::Caption() const {
    std::wstring text(
        static_cast<std::size_t>(GetMenuStringW(menu_, command_, nullptr, 0, MF_BYCOMMAND)) + 1,
        L'\0');
    text.resize(static_cast<std::size_t>(
        GetMenuStringW(menu_, command_, text.data(), static_cast<int>(text.size()), MF_BYCOMMAND)));
    return text;
}

void MenuItemCaption::SetCaption(const std::wstring& caption) {
    std::wstring text = caption;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    SetMenuItemInfoW(menu_, command_, FALSE, &info);
}

}  // namespace plimex::win32
