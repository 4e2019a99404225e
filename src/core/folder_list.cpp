#include "core/folder_list.h"

#include <algorithm>

namespace plimex {
namespace {

std::vector<std::wstring> SplitNames(std::wstring_view rest, wchar_t separator) {
    std::vector<std::wstring> names;
    std::size_t start = 0;
    while (start < rest.size()) {
        const std::size_t end = std::min(rest.find(separator, start), rest.size());
        if (end > start) {
            names.emplace_back(rest.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

// The chain of a folder, without its subfolders yet.
FolderTree TreeOf(const FolderPath& place, wchar_t separator) {
    FolderTree tree{{place.full.substr(0, place.rootLength)}, {}, separator};
    for (std::wstring& name : SplitNames(place.full.substr(place.rootLength), separator)) {
        tree.chain.push_back(std::move(name));
    }
    return tree;
}

}  // namespace

std::wstring FolderList::Path() const {
    return tree_.chain.empty() ? std::wstring() : tree_.PathOfEntry(tree_.CurrentEntry());
}

// Runs off the GUI thread: it reads only the folders, never the tree shown.
std::optional<FolderTree> FolderList::Read(const std::wstring& path) const {
    const std::optional<FolderPath> place = folders_.Locate(path);
    if (!place) {
        return std::nullopt;
    }
    FolderTree tree = TreeOf(*place, folders_.Separator());
    std::optional<std::vector<std::wstring>> subfolders =
        folders_.Subfolders(tree.PathOfEntry(tree.CurrentEntry()));
    if (!subfolders) {
        return std::nullopt;
    }
    tree.subfolders = std::move(*subfolders);
    return tree;
}

bool FolderList::Show(FolderTree tree) {
    if (!tree_.chain.empty() && folders_.SameName(tree.PathOfEntry(tree.CurrentEntry()), Path())) {
        return false;
    }
    tree_ = std::move(tree);
    Draw(tree_);
    return true;
}

std::optional<std::wstring> FolderList::PathOfEntry(std::size_t index) const {
    if (index >= tree_.EntryCount()) {
        return std::nullopt;
    }
    return tree_.PathOfEntry(index);
}

}  // namespace plimex
