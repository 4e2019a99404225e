#pragma once

#include <string>

#include "linux_desktop/unique_fd.h"
#include "platform/diagnostics.h"

namespace plimex::qt {

// One running copy per working folder: the copy that runs there owns its
// Plimex.ini, and a second one would write its own settings over the first
// one's at its end. The first copy holds a lock on a file named after the
// folder (its device and inode, so that every path to it counts) in the
// user's runtime folder, with its process id inside. The kernel drops the
// lock with the process, even a killed one, so a lock never goes stale.
class SingleInstance {
  public:
    // Claims the current folder for this process.
    explicit SingleInstance(Diagnostics& diagnostics);

    // False when another copy holds the folder. Without a lock file (no
    // runtime folder to write in) the program runs unprotected, as before.
    bool claimed() const { return claimed_; }

    // Asks the copy that holds the folder to show its window (SIGUSR1).
    void ShowRunningCopy() const;

  private:
    std::string lockPath_;
    linux_desktop::UniqueFd lock_;
    bool claimed_ = true;
};

}  // namespace plimex::qt
