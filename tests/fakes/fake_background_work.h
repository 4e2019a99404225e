#pragma once

#include <cstddef>
#include <vector>

#include "platform/background_work.h"

namespace plimex::testing {

// Runs each job and its delivery at once, as a file system that answers at
// once would; or, while `hold` is set, keeps them until the test finishes one.
class FakeBackgroundWork : public BackgroundWork {
  public:
    bool hold = false;
    std::vector<Job> held;

    void Run(Job job) override {
        if (hold) {
            held.push_back(std::move(job));
        } else {
            job()();
        }
    }
    // The job held at index ends, and its result reaches the GUI thread.
    void Finish(std::size_t index) { held.at(index)()(); }
};

}  // namespace plimex::testing
