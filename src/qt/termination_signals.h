#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

#include "qt/unique_fd.h"

namespace plimex::qt {

// SIGTERM, SIGINT and SIGHUP arrive as ordinary events of the GUI thread, so
// that the program can unload and save as on any other way out. Block them
// in every thread first, before any thread starts.
class TerminationSignals {
  public:
    static void BlockInAllThreads();
    explicit TerminationSignals(std::function<void()> onSignal);

  private:
    UniqueFd fd_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onSignal_;
};

}  // namespace plimex::qt
