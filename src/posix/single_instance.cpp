#include "posix/single_instance.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace plimex::posix {
namespace {

// Hidden, beside Plimex.ini in the working folder.
constexpr const char* kLockFile = ".Plimex.lock";

// Made by this user and writable by no one else: what it says about the
// running copy was written by a copy of ours.
bool IsUsersOwnFile(int fd) {
    struct stat status {};
    return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
           (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

pid_t ReadProcessId(int fd) {
    char text[32] = {};
    const ssize_t length = ::pread(fd, text, sizeof text - 1, 0);
    return length > 0 ? static_cast<pid_t>(std::atol(text)) : 0;
}

}  // namespace

SingleInstance::SingleInstance(Diagnostics& diagnostics) {
    // Not through a link, and never blocking on a pipe planted in its place.
    lock_ =
        UniqueFd(::open(kLockFile, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600));
    if (!lock_.valid()) {
        diagnostics.ReportFailure("single instance", kLockFile,
                                  "no lock file; a second copy in this folder is not prevented");
        return;
    }
    if (!IsUsersOwnFile(lock_.get())) {
        lock_ = UniqueFd();
        diagnostics.ReportFailure("single instance", kLockFile,
                                  "the lock file is not this user's own and is not used; a second "
                                  "copy in this folder is not prevented");
        return;
    }
    if (::flock(lock_.get(), LOCK_EX | LOCK_NB) != 0) {
        claimed_ = false;
        return;
    }
    const std::string pid = std::to_string(::getpid());
    if (::ftruncate(lock_.get(), 0) != 0 ||
        ::pwrite(lock_.get(), pid.data(), pid.size(), 0) != static_cast<ssize_t>(pid.size())) {
        diagnostics.ReportFailure("single instance", kLockFile,
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

}  // namespace plimex::posix
