#include "posix/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

namespace plimex::posix {

UniqueFd OpenRegularFile(const std::string& path) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status {};
    if (!fd.valid() || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return UniqueFd();
    }
    return fd;
}

bool AppendFromFile(int fd, std::size_t maxBytes, std::string& bytes) {
    struct stat status {};
    const off_t offset = ::lseek(fd, 0, SEEK_CUR);
    if (::fstat(fd, &status) != 0 || offset < 0) {
        return false;
    }
    const auto left = static_cast<std::size_t>(std::max<off_t>(status.st_size - offset, 0));
    const std::size_t start = bytes.size();
    try {
        bytes.resize(start + std::min(maxBytes, left));
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::size_t filled = start;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return true;
}

std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes) {
    const UniqueFd fd = OpenRegularFile(path);
    std::string contents;
    if (!fd.valid() || !AppendFromFile(fd.get(), maxBytes, contents)) {
        return std::nullopt;
    }
    return contents;
}

}  // namespace plimex::posix
