#pragma once

#include <functional>

namespace plimex {

// Work kept off the GUI thread because it may wait on a slow file system (a
// network share answering in seconds). A job runs on a thread of its own and
// touches no window and none of the program's state: it only reads and
// returns what it read. What it returns then runs on the GUI thread, from the
// event loop, like any other event; once the main window has been unloaded,
// it is dropped instead. Quitting never waits for a job.
class BackgroundWork {
  public:
    using Delivery = std::function<void()>;
    using Job = std::function<Delivery()>;

    virtual ~BackgroundWork() = default;
    virtual void Run(Job job) = 0;
};

}  // namespace plimex
