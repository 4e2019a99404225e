#include "qt/posix_folders.h"

#include <filesystem>

#include "qt/case_insensitive_order.h"
#include "qt/directory_entries.h"

namespace plimex::qt {

std::optional<FolderPath> PosixFolders::Locate(const std::wstring& path) const {
    const std::string folder =
        std::filesystem::path(codePage_.ToAnsi(path)).lexically_normal().string();
    if (folder.empty() || folder.front() != '/' || !FolderExists(folder)) {
        return std::nullopt;
    }
    return FolderPath{codePage_.FromAnsi(folder), 1};
}

std::optional<std::vector<std::wstring>> PosixFolders::Subfolders(
    const std::wstring& folder) const {
    std::vector<std::wstring> names;
    for (const std::string& name : ReadDirectoryEntries(codePage_.ToAnsi(folder), EntryKind::Folder)
                                       .value_or(std::vector<std::string>())) {
        names.push_back(codePage_.FromAnsi(name));
    }
    SortIgnoringCase(names);
    return names;
}

}  // namespace plimex::qt
