#pragma once

#include <cstdint>

#include "platform/diagnostics.h"
#include "win32/handles.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// One running copy per working folder: the copy that runs there owns its
// Plimex.ini, and a second one would write its own settings over the first
// one's at its end. The first copy holds a named mutex whose name comes from
// the folder; the system drops it with the process, even a killed one.
class SingleInstance {
  public:
    // Claims the current folder for this process. Where the system gives no
    // mutex, the program runs unprotected, and says so.
    explicit SingleInstance(Diagnostics& diagnostics);

    // False when another copy holds the folder.
    bool claimed() const { return claimed_; }

    // Asks the copy that holds the folder to show its window.
    void ShowRunningCopy() const;

    // The message a copy receives when a second start asks for its window,
    // with the folder's number as its wParam.
    static UINT ShowMessage();
    // The number that names the current folder, whatever its letter case.
    static std::uint32_t FolderNumber();

  private:
    UniqueKernelObject mutex_;
    bool claimed_ = true;
};

}  // namespace plimex::win32
