#pragma once

#include <memory>

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
    // Results still to come are dropped.
    ~Win32BackgroundWork() override;
    Win32BackgroundWork(const Win32BackgroundWork&) = delete;
    Win32BackgroundWork& operator=(const Win32BackgroundWork&) = delete;

    void Run(Job job) override;
    // Whether a job is still running: one held by a share that stopped
    // answering may never end.
    bool Busy() const;

  private:
    struct Shared;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Diagnostics& diagnostics_;
    std::shared_ptr<Shared> shared_;
    UniqueWindow window_;
};

}  // namespace plimex::win32
