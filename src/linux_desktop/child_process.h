#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace plimex::linux_desktop {

// Desktop tools started with an argument list, found on PATH, each argument
// handed over as its raw bytes: nothing passes through a shell.

enum class RunResult { kSucceeded, kFailed, kNotFound };

// Runs the program to its end; one that takes longer than the timeout is
// killed and counts as failed.
RunResult RunProgram(const std::vector<std::string>& argv, std::chrono::milliseconds timeout);

// Starts a program that keeps running on its own, in a session of its own so
// that it outlives this process. Nothing when it could not be started.
std::optional<pid_t> StartDetached(const std::vector<std::string>& argv);

// Ends a program that StartDetached started, and collects its exit.
void StopDetached(pid_t pid);

// Whether a program that StartDetached started still runs after that time;
// one that ended is collected.
bool StillRunsAfter(pid_t pid, std::chrono::milliseconds time);

}  // namespace plimex::linux_desktop
