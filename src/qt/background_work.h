#pragma once

#include <QObject>
#include <memory>

#include "platform/background_work.h"
#include "platform/diagnostics.h"

namespace plimex::qt {

// Each job on a thread of its own; its result reaches the GUI thread through
// the event queue. Build it on the GUI thread, after the QApplication.
class QtBackgroundWork : public BackgroundWork {
  public:
    explicit QtBackgroundWork(Diagnostics& diagnostics);
    // Results still to come are dropped.
    ~QtBackgroundWork() override;
    QtBackgroundWork(const QtBackgroundWork&) = delete;
    QtBackgroundWork& operator=(const QtBackgroundWork&) = delete;

    void Run(Job job) override;
    // Whether a job is still running: one held by a share that stopped
    // answering may never end.
    bool Busy() const;

  private:
    struct Shared;
    Diagnostics& diagnostics_;
    // Where results are queued, on the GUI thread.
    std::unique_ptr<QObject> receiver_ = std::make_unique<QObject>();
    std::shared_ptr<Shared> shared_;
};

}  // namespace plimex::qt
