#include "win32/dir_list_box.h"

#include <algorithm>

#include "win32/file_list_box.h"
#include "win32/handles.h"

namespace plimex::win32 {
namespace {

std::wstring FullPath(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    DWORD size =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (size >= full.size()) {
        full.resize(size);
        size = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    }
    full.resize(size);
    return full;
}

// "C:\" or "\\server\share\"; empty for a path without a root.
std::wstring RootOf(const std::wstring& full) {
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') {
        return full.substr(0, 3);
    }
    if (full.starts_with(L"\\\\")) {
        const auto shareEnd = full.find(L'\\', full.find(L'\\', 2) + 1);
        return shareEnd == std::wstring::npos ? full + L'\\' : full.substr(0, shareEnd + 1);
    }
    return {};
}

std::vector<std::wstring> SplitFolders(const std::wstring& rest) {
    std::vector<std::wstring> names;
    std::size_t start = 0;
    while (start < rest.size()) {
        const auto end = std::min(rest.find(L'\\', start), rest.size());
        if (end > start) {
            names.push_back(rest.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

constexpr DWORD kHiddenFolder = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::optional<std::vector<std::wstring>> Subfolders(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const std::wstring pattern = folder + (folder.ends_with(L'\\') ? L"*" : L"\\*");
    const UniqueFind search = AdoptFind(FindFirstFileW(pattern.c_str(), &found));
    if (!search) {
        // An empty root has not even "." and "..": it can still be shown.
        return GetLastError() == ERROR_FILE_NOT_FOUND ? std::optional(names) : std::nullopt;
    }
    do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            (found.dwFileAttributes & kHiddenFolder) == 0 && name != L"." && name != L"..") {
            names.push_back(name);
        }
    } while (FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end(), ListsBefore);
    return names;
}

// Indent of one level of the tree, in average character widths.
constexpr int kIndentCharacters = 2;

}  // namespace

std::wstring FolderTree::PathTo(std::size_t depth) const {
    std::wstring path = chain.front();
    for (std::size_t i = 1; i <= depth && i < chain.size(); ++i) {
        if (!path.ends_with(L'\\')) {
            path += L'\\';
        }
        path += chain[i];
    }
    return path;
}

std::wstring FolderTree::PathOfEntry(std::size_t index) const {
    if (index < chain.size()) {
        return PathTo(index);
    }
    const std::wstring folder = Path();
    return folder + (folder.ends_with(L'\\') ? L"" : L"\\") + subfolders.at(index - chain.size());
}

std::optional<FolderTree> ReadFolderTree(const std::wstring& path) {
    if (path.empty()) {
        return std::nullopt;
    }
    const std::wstring full = FullPath(path);
    const std::wstring root = RootOf(full);
    const DWORD attributes = GetFileAttributesW(full.c_str());
    if (root.empty() || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return std::nullopt;
    }
    FolderTree tree;
    tree.chain.push_back(root);
    for (std::wstring& name : SplitFolders(full.substr(root.size()))) {
        tree.chain.push_back(std::move(name));
    }
    auto subfolders = Subfolders(tree.Path());
    if (!subfolders) {
        return std::nullopt;
    }
    tree.subfolders = std::move(*subfolders);
    return tree;
}

std::wstring DirListBox::Path() const {
    return tree_.chain.empty() ? L"" : tree_.Path();
}

bool DirListBox::SetPath(const std::wstring& path) {
    const std::optional<FolderTree> tree = ReadFolderTree(path);
    if (!tree) {
        return false;
    }
    const std::wstring before = Path();
    Show(*tree);
    return CompareStringOrdinal(before.c_str(), -1, Path().c_str(), -1, TRUE) != CSTR_EQUAL;
}

bool DirListBox::OpenSelected() {
    const auto index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (index < 0 || tree_.chain.empty()) {
        return false;
    }
    return SetPath(tree_.PathOfEntry(static_cast<std::size_t>(index)));
}

void DirListBox::Show(const FolderTree& tree) {
    tree_ = tree;
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (std::size_t depth = 0; depth < tree_.chain.size(); ++depth) {
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tree_.chain[depth].c_str()));
    }
    for (const std::wstring& name : tree_.subfolders) {
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendMessageW(list_, LB_SETCURSEL, tree_.chain.size() - 1, 0);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void DirListBox::Draw(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1)) {
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);

    const std::size_t depth = std::min<std::size_t>(item.itemID, tree_.chain.size());
    TEXTMETRICW metrics{};
    GetTextMetricsW(item.hDC, &metrics);
    RECT text = item.rcItem;
    text.left += 2 + static_cast<int>(depth) * kIndentCharacters * metrics.tmAveCharWidth;

    const auto length =
        static_cast<std::size_t>(SendMessageW(list_, LB_GETTEXTLEN, item.itemID, 0));
    std::wstring name(length + 1, L'\0');
    SendMessageW(list_, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(name.data()));
    name.resize(length);
    DrawTextW(item.hDC, name.c_str(), static_cast<int>(name.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(item.hDC, &item.rcItem);
    }
}

}  // namespace plimex::win32
