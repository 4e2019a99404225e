#include "win32/popup_menu.h"

#include "core/layout.h"
#include "win32/control_ids.h"

namespace plimex::win32 {

int PopupMenu::CommandOf(std::string_view item) {
    return kFirstMenuId + static_cast<int>(layout::MenuIndex(item));
}

PopupMenu::PopupMenu() : menu_(CreatePopupMenu()) {
    for (const layout::MenuEntry& entry : layout::PopupMenu()) {
        const std::wstring caption(entry.caption);
        AppendMenuW(menu_.get(), MF_STRING, CommandOf(entry.name), caption.c_str());
        if (entry.isDefault) {
            SetMenuDefaultItem(menu_.get(), CommandOf(entry.name), FALSE);
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
    const auto entries = layout::PopupMenu();
    const auto index = static_cast<std::size_t>(command - kFirstMenuId);
    return command >= kFirstMenuId && index < entries.size() ? entries[index].item : MenuItem::None;
}

void PopupMenu::SetItemText(std::string_view item, const std::wstring& text) {
    std::wstring writable = text;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = writable.data();
    SetMenuItemInfoW(menu_.get(), CommandOf(item), FALSE, &info);
}

}  // namespace plimex::win32
