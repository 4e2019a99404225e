#pragma once

#include <functional>

namespace plimex::posix {

// SIGTERM, SIGINT and SIGHUP ask the program to end, so that it unloads and
// saves as on any other way out; SIGUSR1 asks it to show its window (a second
// copy started in the same folder sends it, see single_instance.h). A thread
// of their own waits for them from the start, so that they work even while
// the GUI thread is held up: a network share that stopped answering can hold
// it in the kernel for good. Before the program runs, an ending signal ends
// it at once: there is nothing to save yet. Once it runs, the GUI thread is
// asked to unload; if the program has not ended a few seconds later, it ends
// without saving, and says so.
class ProcessSignals {
  public:
    // Blocks the signals in every thread and starts the thread that waits
    // for them. Call it first in main, before any other thread starts.
    static void WaitInAThreadOfTheirOwn();

    // Hands a call to the GUI thread's event loop; called from the waiting thread.
    using PostToGuiThread = std::function<void(std::function<void()>)>;

    // While the object lives, the signals reach these, as events of the GUI
    // thread. Make it once the GUI thread's event loop exists.
    ProcessSignals(PostToGuiThread post, std::function<void()> onTerminate,
                   std::function<void()> onShowRequest);
    ~ProcessSignals();
    ProcessSignals(const ProcessSignals&) = delete;
    ProcessSignals& operator=(const ProcessSignals&) = delete;
};

}  // namespace plimex::posix
