#include "win32/file_list_box.h"

#include "win32/case_insensitive_order.h"

namespace plimex::win32 {

void Win32FileListBox::Clear() {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
}

void Win32FileListBox::AddItems(PackedNames names) {
    std::vector<std::wstring> items;
    items.reserve(names.size());
    for (const std::string_view name : names) {
        items.push_back(codePage_.FromAnsi(name));
    }
    std::size_t characters = 0;
    for (const std::wstring& item : items) {
        characters += item.size() + 1;
    }
    // One repaint for the whole folder, and the storage reserved at once.
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_INITSTORAGE, items.size(), characters * sizeof(wchar_t));
    // A box that adds a name compares it with the names it holds, in the
    // locale's rules, some log n times: a folder's names are sorted once
    // instead, in the box's own locale, and each put at its known place.
    const auto locale = static_cast<LCID>(SendMessageW(list_, LB_GETLOCALE, 0, 0));
    if (ListCount() == 0 && SortIgnoringCase(items, locale)) {
        for (std::size_t index = 0; index < items.size(); ++index) {
            SendMessageW(list_, LB_INSERTSTRING, index,
                         reinterpret_cast<LPARAM>(items[index].c_str()));
        }
    } else {
        for (const std::wstring& item : items) {
            SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

int Win32FileListBox::ListIndex() const {
    return static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
}

std::wstring Win32FileListBox::List(int index) const {
    const LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
    return text;
}

int Win32FileListBox::ListCount() const {
    return static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0));
}

}  // namespace plimex::win32
