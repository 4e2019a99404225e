#include "qt/single_instance.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace plimex::qt {
namespace {

std::string RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime != nullptr && runtime[0] == '/' ? runtime : "/tmp";
}

std::string LockPathOfCurrentFolder() {
    struct stat folder {};
    if (::stat(".", &folder) != 0) {
        return {};
    }
    return RuntimeFolder() + "/plimex-" + std::to_string(::getuid()) + "-" +
           std::to_string(folder.st_dev) + "-" + std::to_string(folder.st_ino) + ".lock";
}

pid_t ReadProcessId(int fd) {
    char text[32] = {};
    const ssize_t length = ::pread(fd, text, sizeof text - 1, 0);
    return length > 0 ? static_cast<pid_t>(std::atol(text)) : 0;
}

}  // namespace

SingleInstance::SingleInstance(Diagnostics& diagnostics) : lockPath_(LockPathOfCurrentFolder()) {
    lock_ = linux_desktop::UniqueFd(
        ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!lock_.valid()) {
        diagnostics.ReportFailure("single instance", lockPath_,
                                  "no lock file; a second copy in this folder is not prevented");
        return;
    }
    if (::flock(lock_.get(), LOCK_EX | LOCK_NB) != 0) {
        claimed_ = false;
        return;
    }
    const std::string pid = std::to_string(::getpid());
    if (::ftruncate(lock_.get(), 0) != 0 ||
        ::pwrite(lock_.get(), pid.data(), pid.size(), 0) != static_cast<ssize_t>(pid.size())) {
        diagnostics.ReportFailure("single instance", lockPath_,
                                  "the process id could not be written");
    }
}

void SingleInstance::ShowRunningCopy() const {
    // The first copy writes its id right after taking the lock.
    constexpr int kAttempts = 20;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (const pid_t pid = ReadProcessId(lock_.get()); pid > 0) {
            ::kill(pid, SIGUSR1);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

}  // namespace plimex::qt
