#include "core/detached_jobs.h"

#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace plimex {

struct DetachedJobs::Shared {
    std::mutex mutex;
    Post post;  // empty once the owner has stopped
    int running = 0;

    // The delivery is let go after the lock, wherever it goes.
    void Deliver(BackgroundWork::Delivery delivery) {
        const std::lock_guard lock(mutex);
        --running;
        if (post) {
            post(std::move(delivery));
        }
    }
};

DetachedJobs::DetachedJobs(std::string owner, Diagnostics& diagnostics, Post post)
    : owner_(std::move(owner)), diagnostics_(diagnostics), shared_(std::make_shared<Shared>()) {
    shared_->post = std::move(post);
}

DetachedJobs::~DetachedJobs() {
    Post stopped;
    const std::lock_guard lock(shared_->mutex);
    stopped.swap(shared_->post);
}

void DetachedJobs::Run(BackgroundWork::Job job) {
    {
        const std::lock_guard lock(shared_->mutex);
        ++shared_->running;
    }
    try {
        std::thread([shared = shared_, job] { shared->Deliver(job()); }).detach();
    } catch (const std::system_error& error) {
        // No thread to be had: the job runs here, slow as it may be, rather
        // than not at all.
        diagnostics_.ReportFailure(owner_, "", error.what());
        shared_->Deliver(job());
    }
}

bool DetachedJobs::Busy() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->running > 0;
}

}  // namespace plimex
