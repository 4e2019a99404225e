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

thread_local int jobsOnThisThread = 0;

TEST(DetachedJobsTest, AFinishedThreadTakesTheNextJobAndAStalledOneHoldsUpNothing) {
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<BackgroundWork::Delivery> posted;
    std::vector<int> seen;  // how many jobs each one's thread had run, itself included
    // Plays the results as the GUI thread would, once count of them have come.
    const auto played = [&](std::size_t count, std::chrono::milliseconds patience = 5s) {
        std::unique_lock lock(mutex);
        if (!arrived.wait_for(lock, patience, [&] { return posted.size() >= count; })) return false;
        for (auto& delivery : posted) {
            if (delivery) std::exchange(delivery, nullptr)();
        }
        return true;
    };
    const auto job = [&seen](std::shared_future<void> release) -> BackgroundWork::Job {
        return [release, &seen] {
            release.wait();
            return [count = ++jobsOnThisThread, &seen] { seen.push_back(count); };
        };
    };
    std::promise<void> ready, stalledShare, afterTheEnd;
    const std::shared_future<void> now = ready.get_future().share();
    ready.set_value();
    testing::FakeDiagnostics diagnostics;
    {
        DetachedJobs jobs("test", diagnostics, [&](BackgroundWork::Delivery delivery) {
            const std::lock_guard lock(mutex);
            posted.push_back(std::move(delivery));
            arrived.notify_all();
        });
        jobs.Run(job(now));
        ASSERT_TRUE(played(1));
        jobs.Run(job(now));
        ASSERT_TRUE(played(2));
        EXPECT_EQ(seen, (std::vector{1, 2})) << "the second job started a thread of its own";

        jobs.Run(job(stalledShare.get_future().share()));
        jobs.Run(job(now));
        ASSERT_TRUE(played(3)) << "a stalled job held up the next one";
        EXPECT_TRUE(jobs.Busy());
        stalledShare.set_value();
        ASSERT_TRUE(played(4));
        EXPECT_FALSE(jobs.Busy());

        jobs.Run(job(afterTheEnd.get_future().share()));
    }
    afterTheEnd.set_value();
    EXPECT_FALSE(played(5, 300ms)) << "a result was posted after the owner had gone";
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_TRUE(diagnostics.lines.empty());
}

}  // namespace
}  // namespace plimex
