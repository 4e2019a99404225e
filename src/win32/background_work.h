#pragma once

#include <memory>
#include <utility>

#include "core/detached_jobs.h"
#include "platform/background_work.h"
#include "platform/diagnostics.h"
#include "win32/handles.h"

namespace plimex::win32 {

// Each job on a thread of its own; its result is posted to a message-only
// window of ours and runs when the message loop delivers it. Build it on the
// GUI thread.
class Win32BackgroundWork : public BackgroundWork {
  public:
    Win32BackgroundWork(HINSTANCE instance, Diagnostics& diagnostics);

    void Run(Job job) override { jobs_.Run(std::move(job)); }
    // Whether a job is still running: one held by a share that stopped
    // answering may never end.
    bool Busy() const { return jobs_.Busy(); }

  private:
    struct Results;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::shared_ptr<Results> results_;
    UniqueWindow window_;
    // Last, so that it stops posting before the window goes.
    DetachedJobs jobs_;
};

}  // namespace plimex::win32
