#pragma once

#include <QObject>
#include <memory>
#include <utility>

#include "core/detached_jobs.h"
#include "platform/background_work.h"
#include "platform/diagnostics.h"

namespace plimex::qt {

// Each job on a thread of its own; its result reaches the GUI thread through
// the event queue. Build it on the GUI thread, after the QApplication.
class QtBackgroundWork : public BackgroundWork {
  public:
    explicit QtBackgroundWork(Diagnostics& diagnostics);

    void Run(Job job) override { jobs_.Run(std::move(job)); }
    // Whether a job is still running: one held by a share that stopped
    // answering may never end.
    bool Busy() const { return jobs_.Busy(); }

  private:
    // Where results are queued, on the GUI thread; results queued already go
    // with it. It outlives the jobs, which stop posting first.
    std::unique_ptr<QObject> receiver_ = std::make_unique<QObject>();
    DetachedJobs jobs_;
};

}  // namespace plimex::qt
