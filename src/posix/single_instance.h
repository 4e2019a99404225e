#pragma once

#include "platform/diagnostics.h"
#include "posix/unique_fd.h"

namespace plimex::posix {

// One running copy per working folder: the copy that runs there owns its
// Plimex.ini, and a second one would write its own settings over the first
// one's at its end. The first copy holds a lock on a file beside Plimex.ini,
// made by the user alone for the user alone, with its process id inside; so
// only those who may write the folder can take part, and every path to the
// folder and every session of the user finds the same lock. The kernel drops
// the lock with the process, even a killed one, so a lock never goes stale.
// A lock file that is not the user's own is no lock: its process id is never
// signalled.
class SingleInstance {
  public:
    // Claims the current folder for this process.
    explicit SingleInstance(Diagnostics& diagnostics);

    // False when another copy holds the folder. Where no lock file of the
    // user's own can be had, the program runs unprotected, and says so.
    bool claimed() const { return claimed_; }

    // Asks the copy that holds the folder to show its window (SIGUSR1).
    void ShowRunningCopy() const;

  private:
    UniqueFd lock_;
    bool claimed_ = true;
};

}  // namespace plimex::posix
