#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

#include "linux_desktop/unique_fd.h"

namespace plimex::qt {

// SIGTERM, SIGINT and SIGHUP ask the program to end, so that it unloads and
// saves as on any other way out; SIGUSR1 asks it to show its window (a second
// copy started in the same folder sends it, see single_instance.h). They
// arrive as ordinary events of the GUI thread. Block them in every thread
// first, before any thread starts.
class ProcessSignals {
  public:
    static void BlockInAllThreads();
    ProcessSignals(std::function<void()> onTerminate, std::function<void()> onShowRequest);

  private:
    linux_desktop::UniqueFd fd_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onTerminate_;
    std::function<void()> onShowRequest_;
};

}  // namespace plimex::qt
