#include "qt/process_signals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace plimex::qt {
namespace {

sigset_t HandledSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGUSR1);
    return set;
}

}  // namespace

void ProcessSignals::BlockInAllThreads() {
    const sigset_t set = HandledSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

ProcessSignals::ProcessSignals(std::function<void()> onTerminate,
                               std::function<void()> onShowRequest)
    : onTerminate_(std::move(onTerminate)), onShowRequest_(std::move(onShowRequest)) {
    const sigset_t set = HandledSet();
    fd_ = linux_desktop::UniqueFd(::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC));
    if (!fd_.valid()) {
        // Without the descriptor the signals keep their default effect.
        pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_.get(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        bool terminate = false;
        bool show = false;
        signalfd_siginfo info{};
        while (::read(fd_.get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
            (info.ssi_signo == SIGUSR1 ? show : terminate) = true;
        }
        if (show) onShowRequest_();
        if (terminate) onTerminate_();
    });
}

}  // namespace plimex::qt
