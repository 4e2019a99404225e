#include "posix/posix_folders.h"

#include <filesystem>

#include "posix/case_insensitive_order.h"
#include "posix/directory_entries.h"

namespace plimex::posix {

std::optional<FolderPath> PosixFolders::Locate(const std::wstring& path) const {
    // A relative folder (a hand-written Rep=pics/) is taken from the working
    // folder, the one Plimex.ini is in, as the system does on Windows.
    std::error_code error;
    const std::string folder =
        path.empty()
            ? std::string()
            : std::filesystem::absolute(codePage_.ToAnsi(path), error).lexically_normal().string();
    if (error || folder.empty() || folder.front() != '/' || !FolderExists(folder)) {
        return std::nullopt;
    }
    return FolderPath{codePage_.FromAnsi(folder), 1};
}

std::optional<std::vector<std::wstring>> PosixFolders::Subfolders(
    const std::wstring& folder) const {
    std::vector<std::wstring> names;
    const PackedNames entries =
        ReadDirectoryEntries(codePage_.ToAnsi(folder), EntryKind::Folder).value_or(PackedNames());
    for (const std::string_view name : entries) {
        names.push_back(codePage_.FromAnsi(name));
    }
    SortIgnoringCase(names);
    return names;
}

}  // namespace plimex::posix
