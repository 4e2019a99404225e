#include "qt/background_work.h"

#include <mutex>
#include <system_error>
#include <thread>

namespace plimex::qt {

// What the threads share with the GUI thread; it outlives the work object
// for as long as a thread holds it.
struct QtBackgroundWork::Shared {
    std::mutex mutex;
    // The GUI thread's object that results are queued to; null once the work
    // object is gone, so that no result is queued to an object destroyed.
    QObject* receiver = nullptr;
    int running = 0;

    void Deliver(Delivery delivery) {
        const std::lock_guard lock(mutex);
        --running;
        if (receiver != nullptr) {
            QMetaObject::invokeMethod(receiver, std::move(delivery), Qt::QueuedConnection);
        }
    }
};

QtBackgroundWork::QtBackgroundWork(Diagnostics& diagnostics)
    : diagnostics_(diagnostics), shared_(std::make_shared<Shared>()) {
    shared_->receiver = receiver_.get();
}

// Results queued already go with the receiver.
QtBackgroundWork::~QtBackgroundWork() {
    const std::lock_guard lock(shared_->mutex);
    shared_->receiver = nullptr;
}

void QtBackgroundWork::Run(Job job) {
    {
        const std::lock_guard lock(shared_->mutex);
        ++shared_->running;
    }
    try {
        std::thread([shared = shared_, job] { shared->Deliver(job()); }).detach();
    } catch (const std::system_error& error) {
        // No thread to be had: the job runs here, slow as it may be, rather
        // than not at all.
        diagnostics_.ReportFailure("QtBackgroundWork", "", error.what());
        shared_->Deliver(job());
    }
}

bool QtBackgroundWork::Busy() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->running > 0;
}

}  // namespace plimex::qt
