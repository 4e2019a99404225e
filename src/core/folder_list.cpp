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

const std::wstring& FolderTree::NameOfEntry(std::size_t index) const {
    return index < chain.size() ? chain[index] : subfolders.at(index - chain.size());
}

std::size_t FolderTree::DepthOfEntry(std::size_t index) const {
    return std::min(index, chain.size());
}

std::wstring FolderTree::PathOfEntry(std::size_t index) const {
    std::wstring path = chain.front();
    const auto append = [&](const std::wstring& name) {
        if (!path.ends_with(separator)) {
            path += separator;
        }
        path += name;
    };
    for (std::size_t depth = 1; depth < chain.size() && depth <= index; ++depth) {
        append(chain[depth]);
    }
    if (index >= chain.size()) {
        append(subfolders.at(index - chain.size()));
    }
    return path;
}

std::wstring FolderList::Path() const {
    return tree_.chain.empty() ? std::wstring() : tree_.PathOfEntry(tree_.CurrentEntry());
}

bool FolderList::SetPath(const std::wstring& path) {
    const std::optional<FolderPath> place = folders_.Locate(path);
    if (!place) {
        return false;
    }
    FolderTree tree = TreeOf(*place, folders_.Separator());
    const std::wstring folder = tree.PathOfEntry(tree.CurrentEntry());
    if (!tree_.chain.empty() && folders_.SameName(folder, Path())) {
        return false;
    }
    std::optional<std::vector<std::wstring>> subfolders = folders_.Subfolders(folder);
    if (!subfolders) {
        return false;
    }
    tree.subfolders = std::move(*subfolders);
    tree_ = std::move(tree);
    Show(tree_);
    return true;
}

bool FolderList::OpenEntry(std::size_t index) {
    return index < tree_.EntryCount() && SetPath(tree_.PathOfEntry(index));
}

}  // namespace plimex
