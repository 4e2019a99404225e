#include "posix/process_signals.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/failure_line.h"

namespace plimex::posix {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::seconds kTimeToUnload{10};

sigset_t HandledSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGUSR1);
    return set;
}

// Shared by the waiting thread, which outlives everything else, and the GUI
// thread.
struct Receivers {
    std::mutex mutex;
    ProcessSignals::PostToGuiThread post;
    std::function<void()> onTerminate;
    std::function<void()> onShowRequest;
};

std::shared_ptr<Receivers>& TheReceivers() {
    static auto receivers = std::make_shared<Receivers>();
    return receivers;
}

[[noreturn]] void EndNow(int signal, const char* why) {
    const std::string line = FailureLine("signal", strsignal(signal), why);
    [[maybe_unused]] const ssize_t ignored = ::write(STDERR_FILENO, line.data(), line.size());
    ::_exit(128 + signal);
}

// Runs the receiver on the GUI thread, if it is still there by then; false
// when there is none.
bool PostToGuiThread(const std::shared_ptr<Receivers>& receivers,
                     std::function<void()> Receivers::*which) {
    const std::lock_guard lock(receivers->mutex);
    if (!((*receivers).*which)) return false;
    receivers->post([receivers, which] {
        std::function<void()> receiver;
        {
            const std::lock_guard lock(receivers->mutex);
            receiver = (*receivers).*which;
        }
        if (receiver) receiver();
    });
    return true;
}

// Once the GUI thread has been asked to unload, only another ending signal
// or the end of the wait is taken.
[[noreturn]] void WaitForTheUnload(const sigset_t& set, int signal, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - Clock::now());
        const timespec wait{static_cast<time_t>(left.count() / 1'000'000'000),
                            static_cast<long>(left.count() % 1'000'000'000)};
        siginfo_t info{};
        const int got = left.count() > 0 ? sigtimedwait(&set, &info, &wait) : -1;
        if (got == SIGUSR1 || (got < 0 && errno == EINTR)) continue;
        if (got > 0) EndNow(got, "a second signal to end; ended without saving");
        EndNow(signal,
               "the program did not end within 10 s (held up, maybe by a file system that does "
               "not answer); ended without saving");
    }
}

void WaitForSignals(std::shared_ptr<Receivers> receivers) {
    const sigset_t set = HandledSet();
    for (;;) {
        siginfo_t info{};
        const int signal = sigwaitinfo(&set, &info);
        if (signal < 0) continue;
        if (signal == SIGUSR1) {
            PostToGuiThread(receivers, &Receivers::onShowRequest);
            continue;
        }
        // A program still starting is asked once it runs, unless its start
        // is held up.
        const auto deadline = Clock::now() + kTimeToUnload;
        while (!PostToGuiThread(receivers, &Receivers::onTerminate)) {
            if (Clock::now() >= deadline) {
                EndNow(signal, "the program did not get through its start within 10 s; ended");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        WaitForTheUnload(set, signal, deadline);
    }
}

}  // namespace

void ProcessSignals::WaitInAThreadOfTheirOwn() {
    const sigset_t set = HandledSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread(WaitForSignals, TheReceivers()).detach();
}

ProcessSignals::ProcessSignals(PostToGuiThread post, std::function<void()> onTerminate,
                               std::function<void()> onShowRequest) {
    Receivers& receivers = *TheReceivers();
    const std::lock_guard lock(receivers.mutex);
    receivers.post = std::move(post);
    receivers.onTerminate = std::move(onTerminate);
    receivers.onShowRequest = std::move(onShowRequest);
}

ProcessSignals::~ProcessSignals() {
    Receivers& receivers = *TheReceivers();
    const std::lock_guard lock(receivers.mutex);
    receivers.onTerminate = nullptr;
    receivers.onShowRequest = nullptr;
    receivers.post = nullptr;
}

}  // namespace plimex::posix
