#include "win32/dir_list_box.h"

namespace plimex::win32 {
namespace {

// Indent of one level of the tree, in average character widths.
constexpr int kIndentCharacters = 2;

}  // namespace

std::optional<std::wstring> Win32DirListBox::SelectedPath() const {
    const auto index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (index < 0) {
        return std::nullopt;
    }
    return PathOfEntry(static_cast<std::size_t>(index));
}

void Win32DirListBox::Draw(const FolderTree& tree) {
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (std::size_t entry = 0; entry < tree.EntryCount(); ++entry) {
        SendMessageW(list_, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(tree.NameOfEntry(entry).c_str()));
    }
    SendMessageW(list_, LB_SETCURSEL, tree.CurrentEntry(), 0);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void Win32DirListBox::Draw(const DRAWITEMSTRUCT& item) const {
    if (item.itemID >= tree().EntryCount()) {
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);

    const std::size_t depth = tree().DepthOfEntry(item.itemID);
    TEXTMETRICW metrics{};
    GetTextMetricsW(item.hDC, &metrics);
    RECT text = item.rcItem;
    text.left += 2 + static_cast<int>(depth) * kIndentCharacters * metrics.tmAveCharWidth;

    const std::wstring& name = tree().NameOfEntry(item.itemID);
    DrawTextW(item.hDC, name.c_str(), static_cast<int>(name.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(item.hDC, &item.rcItem);
    }
}

}  // namespace plimex::win32
