#include "posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <future>
#include <memory>
#include <random>
#include <thread>

#include "posix/bitmap_file.h"
#include "posix/directory_entries.h"
#include "posix/regular_file.h"
#include "posix/unique_fd.h"
#include "posix/user_folders.h"

namespace plimex::posix {
namespace {

std::string_view BaseName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A hidden name next to the target, so that rename() stays on one file system.
std::string TemporaryNameFor(std::string_view target) {
    static std::minstd_rand generator(static_cast<unsigned>(::getpid()));
    return FolderOf(target) + "." + std::string(BaseName(target)) + "." +
           std::to_string(generator());
}

// The temporary files of a save that was killed before its rename.
bool IsOurTemporaryName(std::string_view name, std::string_view target) {
    const std::string prefix = "." + std::string(BaseName(target)) + ".";
    if (name.size() <= prefix.size() || !name.starts_with(prefix)) {
        return false;
    }
    name.remove_prefix(prefix.size());
    return std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void RemoveStaleTemporaryFiles(const std::string& target) {
    const std::string folder = FolderOf(target);
    std::error_code error;
    for (auto entry = std::filesystem::directory_iterator(folder.empty() ? "." : folder, error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        if (IsOurTemporaryName(entry->path().filename().native(), target)) {
            std::error_code ignored;
            std::filesystem::remove(entry->path(), ignored);
        }
    }
}

// A save replaces the file at the end of a chain of symbolic links, so that a
// linked options file stays a link. A hard link is not kept: the rename gives
// the name a new file.
std::string FileBehindLinks(const std::string& name) {
    constexpr int kMostLinks = 40;  // as the kernel follows them
    std::string path = name;
    for (int hop = 0; hop < kMostLinks; ++hop) {
        std::array<char, PATH_MAX> target{};
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) {
            return path;
        }
        const std::string_view next(target.data(), static_cast<std::size_t>(length));
        path = next.front() == '/' ? std::string(next) : FolderOf(path) + std::string(next);
    }
    return path;
}

UniqueFd CreateTemporaryFile(std::string_view target, std::string& name) {
    constexpr int kAttempts = 8;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        name = TemporaryNameFor(target);
        UniqueFd fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.valid() || errno != EEXIST) {
            return fd;
        }
    }
    return UniqueFd();
}

std::string SamplesBesideProgram() {
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    return failed ? std::string() : (program.parent_path() / "backgrounds").string();
}

}  // namespace

bool PosixFileSystem::IsOrdinaryFile(const std::string& name) const {
    const std::string_view base = BaseName(name);
    if (base.empty() || base.front() == '.') {
        return false;
    }
    struct stat status {};
    return ::stat(name.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool PosixFileSystem::IsFolder(const std::string& path) const {
    constexpr std::chrono::milliseconds kPatience(2500);
    auto answer = std::make_shared<std::promise<bool>>();
    std::future<bool> folder = answer->get_future();
    std::thread([path, answer] { answer->set_value(FolderExists(path)); }).detach();
    if (folder.wait_for(kPatience) == std::future_status::ready) {
        return folder.get();
    }
    diagnostics_.ReportFailure("IsFolder", path,
                               "no answer within 2.5 s (a network share that stopped answering?); "
                               "taken as missing");
    return false;
}

PackedNames PosixFileSystem::FindNormalFiles(const std::string& pattern) const {
    const std::string_view mask = BaseName(pattern);
    if (mask.empty() || mask.front() != '*') {
        return {};
    }
    const std::string folder = FolderOf(pattern);
    auto names =
        ReadDirectoryEntries(folder.empty() ? "." : folder, EntryKind::RegularFile, mask.substr(1));
    return names ? std::move(*names) : PackedNames();
}

std::optional<std::string> PosixFileSystem::ReadFile(const std::string& name,
                                                     std::size_t maxBytes) const {
    return ReadRegularFile(name, maxBytes);
}

// Our own decoder, bounds-checked and size-limited, rather than the
// toolkit's: a crafted bitmap must not read outside its pixels.
DecodedBitmap PosixFileSystem::ReadBitmap(const std::string& name) const {
    return ReadBitmapFile(name, kOpaqueArgb32);
}

std::string PosixFileSystem::WhyKeptAsItIs(const std::string& name) const {
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0) {
        return {};
    }
    if (!S_ISREG(status.st_mode)) {
        return "not a regular file";
    }
    // Checked by its mode, not by access(): root may write anything.
    if ((status.st_mode & S_IWUSR) == 0) {
        return "read-only";
    }
    return {};
}

bool PosixFileSystem::ReplaceFile(const std::string& name, const std::string& contents) {
    const std::string target = FileBehindLinks(name);
    // Only a regular file, or none, is replaced. The rename would otherwise
    // put a file of ours in the place of a device or a pipe that the name
    // links to: run as root, a link to /dev/null would replace /dev/null.
    struct stat old {};
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (exists ? !S_ISREG(old.st_mode) : errno != ENOENT) {
        return false;
    }
    RemoveStaleTemporaryFiles(target);
    std::string temporary;
    UniqueFd fd = CreateTemporaryFile(target, temporary);
    if (!fd.valid()) {
        return false;
    }
    // The new file keeps the permissions the user gave the old one.
    const bool keptMode = !exists || ::fchmod(fd.get(), old.st_mode & 07777) == 0;
    const bool written =
        keptMode && WriteAll(fd.get(), contents) && ::fsync(fd.get()) == 0 && fd.Close();
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

std::wstring PosixFileSystem::DefaultImageFolder() const {
    // Our own samples first: the system's wallpapers are rarely bitmaps, and a
    // first run should list and rotate real pictures. A program built in the
    // source tree finds them beside itself; the installed one where the
    // package puts them.
    const std::string candidates[] = {
        SamplesBesideProgram(),
        PLIMEX_SAMPLES_FOLDER,
        "/usr/share/backgrounds",
        PicturesFolder(),
    };
    std::string folder = HomeFolder();
    for (const std::string& candidate : candidates) {
        if (!candidate.empty() && FolderExists(candidate)) {
            folder = candidate;
            break;
        }
    }
    std::wstring wide = codePage_.FromAnsi(folder);
    if (wide.empty() || wide.back() != L'/') {
        wide += L'/';
    }
    return wide;
}

}  // namespace plimex::posix
