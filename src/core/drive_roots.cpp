#include "core/drive_roots.h"

namespace plimex {

std::wstring DriveRoots::Drive() const {
    const int index = SelectedEntry();
    return index >= 0 && static_cast<std::size_t>(index) < roots_.size()
               ? roots_[static_cast<std::size_t>(index)]
               : std::wstring();
}

bool DriveRoots::SetDrive(const std::wstring& path) {
    const std::optional<std::size_t> entry = EntryOf(path);
    if (!entry || static_cast<int>(*entry) == SelectedEntry()) {
        return false;
    }
    SelectEntry(static_cast<int>(*entry));
    return true;
}

std::wstring DriveRoots::DriveOf(const std::wstring& path) const {
    const std::optional<std::size_t> entry = EntryOf(path);
    return entry ? roots_[*entry] : std::wstring();
}

std::optional<std::size_t> DriveRoots::EntryOf(const std::wstring& path) const {
    const wchar_t separator = folders_.Separator();
    const std::wstring folder = path.ends_with(separator) ? path : path + separator;
    std::optional<std::size_t> deepest;
    for (std::size_t i = 0; i < roots_.size(); ++i) {
        const std::wstring& root = roots_[i];
        if (folder.size() >= root.size() &&
            folders_.SameName(std::wstring_view(folder).substr(0, root.size()), root) &&
            (!deepest || root.size() > roots_[*deepest].size())) {
            deepest = i;
        }
    }
    return deepest;
}

}  // namespace plimex
