#pragma once

#include <cstddef>
#include <utility>
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
    void Finish(std::size_t index) { std::exchange(held.at(index), nullptr)()(); }
    // Every job still held ends, the latest first; then those their results started.
    void FinishAll() {
        for (bool finished = true; std::exchange(finished, false);) {
            for (std::size_t index = held.size(); index-- > 0;) {
                if (held[index]) {
                    Finish(index);
                    finished = true;
                }
            }
        }
    }
};

}  // namespace plimex::testing
