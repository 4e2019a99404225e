#include "win32/background_work.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "fakes/fake_platform.h"

namespace plimex::win32 {
namespace {

struct Seen {
    std::atomic<DWORD> jobThread = 0;
    DWORD resultThread = 0;
    int results = 0;
};

BackgroundWork::Job Recording(std::shared_ptr<Seen> seen, HANDLE release = nullptr) {
    return [seen, release] {
        if (release != nullptr) WaitForSingleObject(release, INFINITE);
        seen->jobThread = GetCurrentThreadId();
        return [seen] {
            seen->resultThread = GetCurrentThreadId();
            ++seen->results;
        };
    };
}

// The GUI thread's message loop, for a while.
void DeliverMessages() {
    for (int round = 0; round < 30; ++round, Sleep(10)) {
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            DispatchMessageW(&message);
        }
    }
}

TEST(Win32BackgroundWorkTest, ResultsRunOnTheGuiThreadFromItsLoopAndNotOnceTheWorkIsGone) {
    plimex::testing::FakeDiagnostics diagnostics;
    const auto delivered = std::make_shared<Seen>(), dropped = std::make_shared<Seen>();
    const UniqueKernelObject release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    {
        Win32BackgroundWork work(GetModuleHandleW(nullptr), diagnostics);
        work.Run(Recording(delivered));
        Sleep(200);
        EXPECT_EQ(delivered->results, 0);  // not before the loop delivers it
        DeliverMessages();
        EXPECT_EQ(delivered->results, 1);
        EXPECT_EQ(delivered->resultThread, GetCurrentThreadId());
        EXPECT_NE(delivered->jobThread, GetCurrentThreadId());

        work.Run(Recording(dropped, release.get()));
        EXPECT_TRUE(work.Busy());
        SetEvent(release.get());
        while (dropped->jobThread == 0) Sleep(10);
        Sleep(50);  // its result waits for the loop
    }
    DeliverMessages();
    EXPECT_EQ(dropped->results, 0);
    EXPECT_TRUE(diagnostics.lines.empty());
}

}  // namespace
}  // namespace plimex::win32
