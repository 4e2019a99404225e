#include "linux_desktop/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace plimex::linux_desktop {

namespace {

std::vector<char*> ArgumentPointers(const std::vector<std::string>& argv) {
    std::vector<char*> pointers;
    pointers.reserve(argv.size() + 1);
    for (const std::string& argument : argv)
        pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

// The spawn's flags, and stdout sent to /dev/null: the tools report on it
// for a terminal nobody watches.
class SpawnSettings {
  public:
    explicit SpawnSettings(short flags) {
        posix_spawnattr_init(&attributes_);
        posix_spawnattr_setflags(&attributes_, flags);
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    ~SpawnSettings() {
        posix_spawn_file_actions_destroy(&actions_);
        posix_spawnattr_destroy(&attributes_);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;
    const posix_spawnattr_t* attributes() const { return &attributes_; }
    const posix_spawn_file_actions_t* actions() const { return &actions_; }

  private:
    posix_spawnattr_t attributes_;
    posix_spawn_file_actions_t actions_;
};

// glibc reports a program that cannot be executed as the spawn's error.
std::optional<pid_t> Spawn(const std::vector<std::string>& argv, short flags, int& error) {
    if (argv.empty()) {
        error = EINVAL;
        return std::nullopt;
    }
    const SpawnSettings settings(flags);
    std::vector<char*> pointers = ArgumentPointers(argv);
    pid_t pid = 0;
    error = posix_spawnp(&pid, pointers[0], settings.actions(), settings.attributes(),
                         pointers.data(), environ);
    if (error != 0) return std::nullopt;
    return pid;
}

std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int status = 0;
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid) return status;
        if (ended < 0 && errno != EINTR) return std::nullopt;
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void KillAndCollect(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

RunResult RunProgram(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) {
    int error = 0;
    const std::optional<pid_t> pid = Spawn(argv, 0, error);
    if (!pid) return error == ENOENT ? RunResult::kNotFound : RunResult::kFailed;
    const std::optional<int> status = WaitForExit(*pid, timeout);
    if (!status) {
        KillAndCollect(*pid);
        return RunResult::kFailed;
    }
    return WIFEXITED(*status) && WEXITSTATUS(*status) == 0 ? RunResult::kSucceeded
                                                           : RunResult::kFailed;
}

std::optional<pid_t> StartDetached(const std::vector<std::string>& argv) {
    int error = 0;
    return Spawn(argv, POSIX_SPAWN_SETSID, error);
}

void StopDetached(pid_t pid) {
    kill(pid, SIGTERM);
    if (!WaitForExit(pid, std::chrono::seconds(1))) KillAndCollect(pid);
}

bool StillRunsAfter(pid_t pid, std::chrono::milliseconds time) {
    return !WaitForExit(pid, time);
}

}  // namespace plimex::linux_desktop
