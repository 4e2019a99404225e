#include "core/detached_jobs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <vector>

#include "fakes/fake_platform.h"

namespace plimex {
namespace {

using namespace std::chrono_literals;

// The results posted to the GUI thread, which the test plays.
struct Posted {
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<BackgroundWork::Delivery> deliveries;

    DetachedJobs::Post Post() {
        return [this](BackgroundWork::Delivery delivery) {
            const std::lock_guard lock(mutex);
            deliveries.push_back(std::move(delivery));
            arrived.notify_all();
        };
    }
    // Waits for the count-th result, then plays those not played yet.
    bool AwaitAndPlay(std::size_t count, std::chrono::milliseconds patience = 5s) {
        std::unique_lock lock(mutex);
        if (!arrived.wait_for(lock, patience, [&] { return deliveries.size() >= count; }))
            return false;
        for (auto& delivery : deliveries) {
            if (delivery) std::exchange(delivery, nullptr)();
        }
        return true;
    }
};

thread_local int jobsOnThisThread = 0;

// Records how many jobs its thread had run, itself included, once released.
BackgroundWork::Job CountingJob(std::shared_future<void> release, std::vector<int>& seen) {
    return [release, &seen] {
        release.wait();
        return [count = ++jobsOnThisThread, &seen] { seen.push_back(count); };
    };
}

TEST(DetachedJobsTest, AFinishedThreadTakesTheNextJobAndAStalledOneHoldsUpNothing) {
    testing::FakeDiagnostics diagnostics;
    Posted posted;
    std::vector<int> seen;
    std::promise<void> stalledShare, afterTheEnd;
    std::promise<void> ready;
    const std::shared_future<void> now = ready.get_future().share();
    ready.set_value();
    {
        DetachedJobs jobs("test", diagnostics, posted.Post());
        jobs.Run(CountingJob(now, seen));
        ASSERT_TRUE(posted.AwaitAndPlay(1));
        jobs.Run(CountingJob(now, seen));
        ASSERT_TRUE(posted.AwaitAndPlay(2));
        EXPECT_EQ(seen, (std::vector{1, 2})) << "the second job started a thread of its own";

        jobs.Run(CountingJob(stalledShare.get_future().share(), seen));
        jobs.Run(CountingJob(now, seen));
        ASSERT_TRUE(posted.AwaitAndPlay(3)) << "a stalled job held up the next one";
        EXPECT_TRUE(jobs.Busy());
        stalledShare.set_value();
        ASSERT_TRUE(posted.AwaitAndPlay(4));
        EXPECT_FALSE(jobs.Busy());

        jobs.Run(CountingJob(afterTheEnd.get_future().share(), seen));
    }
    afterTheEnd.set_value();
    EXPECT_FALSE(posted.AwaitAndPlay(5, 300ms)) << "a result was posted after the owner had gone";
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_TRUE(diagnostics.lines.empty());
}

}  // namespace
}  // namespace plimex
