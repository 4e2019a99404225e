#include "posix/directory_entries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace plimex::posix {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithIgnoringAsciiCase(std::string_view name, std::string_view suffix) {
    if (name.size() < suffix.size()) {
        return false;
    }
    return std::equal(suffix.begin(), suffix.end(), name.end() - suffix.size(),
                      [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

// d_type answers without a system call for nearly every entry; links and file
// systems that do not fill it in need one stat.
bool IsOfKind(int dirFd, const dirent& entry, EntryKind kind) {
    const unsigned char wanted = kind == EntryKind::RegularFile ? DT_REG : DT_DIR;
    if (entry.d_type == wanted) {
        return true;
    }
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return false;
    }
    struct stat status {};
    if (::fstatat(dirFd, entry.d_name, &status, 0) != 0) {
        return false;
    }
    return kind == EntryKind::RegularFile ? S_ISREG(status.st_mode) : S_ISDIR(status.st_mode);
}

}  // namespace

std::optional<PackedNames> ReadDirectoryEntries(const std::string& folder, EntryKind kind,
                                                std::string_view suffix) {
    const DirHandle dir(::opendir(folder.c_str()));
    if (!dir) {
        return std::nullopt;
    }
    const int dirFd = ::dirfd(dir.get());
    PackedNames names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (name.empty() || name.front() == '.' || !EndsWithIgnoringAsciiCase(name, suffix)) {
            continue;
        }
        if (IsOfKind(dirFd, *entry, kind)) {
            names.Add(name);
        }
    }
    return names;
}

bool FolderExists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace plimex::posix
