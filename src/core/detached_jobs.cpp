#include "core/detached_jobs.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace plimex {

namespace {

// A thread that finished its job waits for the next one instead of ending:
// starting a thread costs more than most jobs (a folder of a few bitmaps),
// and start-up runs two jobs in a row while the tray embeds the icon. Threads
// held by a share that stopped answering are not idle, so a new one starts.
constexpr int kIdleThreadsKept = 1;

}  // namespace

struct DetachedJobs::Shared {
    std::mutex mutex;
    std::condition_variable jobQueued;
    Post post;  // empty once the owner has stopped
    int running = 0;
    int idle = 0;
    std::deque<BackgroundWork::Job> queued;

    // Runs job, then each job queued for this thread, until there is none
    // for it or the owner has stopped. A job is let go once it has run: a
    // thread that waits holds nothing.
    static void Work(const std::shared_ptr<Shared>& shared, BackgroundWork::Job job) {
        while (job) {
            job = shared->DeliverAndTakeNext(std::exchange(job, nullptr)());
        }
    }

    // The delivery is let go after the lock, wherever it goes.
    void Deliver(BackgroundWork::Delivery delivery) {
        const std::lock_guard lock(mutex);
        Hand(delivery);
    }

    // The thread is idle from the moment its result is posted, under the
    // same lock: a job that the result starts finds it. An empty job once
    // the thread should end.
    BackgroundWork::Job DeliverAndTakeNext(BackgroundWork::Delivery delivery) {
        std::unique_lock lock(mutex);
        Hand(delivery);
        if (!post || idle >= kIdleThreadsKept) {
            return {};
        }
        ++idle;
        jobQueued.wait(lock, [this] { return !queued.empty() || !post; });
        --idle;
        if (!post) {
            return {};
        }
        BackgroundWork::Job job = std::move(queued.front());
        queued.pop_front();
        return job;
    }

    void Hand(BackgroundWork::Delivery& delivery) {
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
    shared_->jobQueued.notify_all();
}

void DetachedJobs::Run(BackgroundWork::Job job) {
    {
        const std::lock_guard lock(shared_->mutex);
        ++shared_->running;
        if (shared_->idle > static_cast<int>(shared_->queued.size())) {
            shared_->queued.push_back(std::move(job));
            shared_->jobQueued.notify_one();
            return;
        }
    }
    try {
        std::thread(Shared::Work, shared_, job).detach();
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
