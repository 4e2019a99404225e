#include "qt/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <random>

#include "qt/directory_entries.h"
#include "qt/regular_file.h"
#include "qt/unique_fd.h"

namespace plimex::qt {
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

bool IsExistingFolder(const QString& path) {
    return !path.isEmpty() && QDir(path).exists();
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
    return FolderExists(path);
}

std::vector<std::string> PosixFileSystem::FindNormalFiles(const std::string& pattern) const {
    const std::string_view mask = BaseName(pattern);
    if (mask.empty() || mask.front() != '*') {
        return {};
    }
    const std::string folder = FolderOf(pattern);
    auto names =
        ReadDirectoryEntries(folder.empty() ? "." : folder, EntryKind::RegularFile, mask.substr(1));
    return names ? std::move(*names) : std::vector<std::string>();
}

std::optional<std::string> PosixFileSystem::ReadFile(const std::string& name,
                                                     std::size_t maxBytes) const {
    const UniqueFd fd = OpenRegularFile(name);
    if (!fd.valid()) {
        return std::nullopt;
    }
    std::string contents;
    char buffer[4096];
    while (contents.size() < maxBytes) {
        const std::size_t wanted = std::min(sizeof buffer, maxBytes - contents.size());
        const ssize_t got = ::read(fd.get(), buffer, wanted);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    return contents;
}

bool PosixFileSystem::ReplaceFile(const std::string& name, const std::string& contents) {
    std::string temporary;
    UniqueFd fd = CreateTemporaryFile(name, temporary);
    if (!fd.valid()) {
        return false;
    }
    const bool written = WriteAll(fd.get(), contents) && ::fsync(fd.get()) == 0 && fd.Close();
    if (!written || ::rename(temporary.c_str(), name.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

std::wstring PosixFileSystem::DefaultImageFolder() const {
    // Our own samples first: the system's wallpapers are rarely bitmaps, and a
    // first run should list and rotate real pictures.
    const QString candidates[] = {
        QStringLiteral(PLIMEX_SAMPLES_FOLDER),
        QStringLiteral("/usr/share/backgrounds"),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
    };
    QString folder = QDir::homePath();
    for (const QString& candidate : candidates) {
        if (IsExistingFolder(candidate)) {
            folder = candidate;
            break;
        }
    }
    std::wstring wide = codePage_.FromAnsi(QFile::encodeName(folder).toStdString());
    if (wide.empty() || wide.back() != L'/') {
        wide += L'/';
    }
    return wide;
}

}  // namespace plimex::qt
