#include "wallpaper/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace plimex {

namespace {

std::vector<char*> ArgumentPointers(const std::vector<std::string>& argv) {
    std::vector<char*> pointers;
    pointers.reserve(argv.size() + 1);
    for (const std::string& argument : argv)
        pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

class SpawnAttributes {
  public:
    explicit SpawnAttributes(short flags) {
        posix_spawnattr_init(&attributes_);
        posix_spawnattr_setflags(&attributes_, flags);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    const posix_spawnattr_t* get() const { return &attributes_; }

  private:
    posix_spawnattr_t attributes_;
};

// The tools report on stdout for a terminal nobody watches.
class QuietOutput {
  public:
    QuietOutput() {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    ~QuietOutput() { posix_spawn_file_actions_destroy(&actions_); }
    QuietOutput(const QuietOutput&) = delete;
    QuietOutput& operator=(const QuietOutput&) = delete;
    const posix_spawn_file_actions_t* get() const { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

// glibc reports a program that cannot be executed as the spawn's error.
std::optional<pid_t> Spawn(const std::vector<std::string>& argv, short flags, int& error) {
    if (argv.empty()) {
        error = EINVAL;
        return std::nullopt;
    }
    const SpawnAttributes attributes(flags);
    const QuietOutput output;
    std::vector<char*> pointers = ArgumentPointers(argv);
    pid_t pid = 0;
    error =
        posix_spawnp(&pid, pointers[0], output.get(), attributes.get(), pointers.data(), environ);
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

}  // namespace

RunResult RunProgram(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) {
    int error = 0;
    const std::optional<pid_t> pid = Spawn(argv, 0, error);
    if (!pid) return error == ENOENT ? RunResult::kNotFound : RunResult::kFailed;
    const std::optional<int> status = WaitForExit(*pid, timeout);
    if (!status) {
        kill(*pid, SIGKILL);
        waitpid(*pid, nullptr, 0);
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
    if (!WaitForExit(pid, std::chrono::seconds(1))) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

}  // namespace plimex
