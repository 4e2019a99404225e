#include "linux_desktop/user_wallpaper_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "posix/regular_file.h"
#include "posix/unique_fd.h"

namespace plimex::linux_desktop {

namespace {

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        written += static_cast<std::size_t>(count);
    }
    return true;
}

// XDG base directories must be absolute; a relative one is ignored.
std::filesystem::path AbsoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') return {};
    return value;
}

}  // namespace

std::filesystem::path UserConfigFolder() {
    if (auto config = AbsoluteFromEnvironment("XDG_CONFIG_HOME"); !config.empty()) {
        return config / "plimex";
    }
    if (auto home = AbsoluteFromEnvironment("HOME"); !home.empty()) {
        return home / ".config" / "plimex";
    }
    return {};
}

std::filesystem::path UserRuntimeFolder() {
    auto runtime = AbsoluteFromEnvironment("XDG_RUNTIME_DIR");
    return runtime.empty() ? runtime : runtime / "plimex";
}

std::optional<std::string> ReadUserWallpaperFile(const std::filesystem::path& file) {
    // A path is far shorter; anything longer is not ours.
    constexpr std::size_t kLongestPath = 1 << 16;
    return posix::ReadRegularFile(file.string(), kLongestPath);
}

bool WriteUserWallpaperFile(const std::filesystem::path& file, const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    std::string temporary = file.string() + ".XXXXXX";
    posix::UniqueFd fd(::mkstemp(temporary.data()));
    if (!fd.valid()) return false;
    const bool written = WriteAll(fd.get(), path) && ::fsync(fd.get()) == 0 && fd.Close();
    if (!written || ::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace plimex::linux_desktop
