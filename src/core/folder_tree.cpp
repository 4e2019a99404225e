#include "core/folder_tree.h"

#include <algorithm>

namespace plimex {

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

}  // namespace plimex
