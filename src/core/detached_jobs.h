#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/background_work.h"
#include "platform/diagnostics.h"

namespace plimex {

// What both systems' background work share: each job on a detached thread
// of its own, its result handed to post, which queues it to the GUI thread.
// A share that stopped answering may hold a thread for good, so the threads
// hold only a state of their own; once the owner stops, nothing more is posted.
class DetachedJobs {
  public:
    using Post = std::function<void(BackgroundWork::Delivery)>;

    // owner: the name failures are reported under.
    DetachedJobs(std::string owner, Diagnostics& diagnostics, Post post);
    // Results still to come are dropped.
    ~DetachedJobs();
    DetachedJobs(const DetachedJobs&) = delete;
    DetachedJobs& operator=(const DetachedJobs&) = delete;

    void Run(BackgroundWork::Job job);
    // Whether a job is still running.
    bool Busy() const;

  private:
    struct Shared;
    std::string owner_;
    Diagnostics& diagnostics_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace plimex
