#pragma once

#include "platform/desktop.h"
#include "platform/diagnostics.h"

namespace plimex::win32 {

// The wallpaper as Windows keeps it: the user's "Wallpaper" value under
// Control Panel\Desktop, then the set-wallpaper call that shows it and tells
// running programs. Only a file that the program's own decoder takes is
// handed over. A failure of either is reported with the system's reason.
//
// SetWallpaper runs on a thread of its own. The check, the registry value
// and the system's own read of the file touch nothing of the GUI thread's.
// The set-wallpaper call sends WM_SETTINGCHANGE to every top-level window,
// ours included, and waits for their answers: our GUI thread answers from its
// message loop and never waits for this thread, so the two cannot block each
// other.
class RegistryDesktop : public Desktop {
  public:
    explicit RegistryDesktop(Diagnostics& diagnostics) : diagnostics_(diagnostics) {}

    bool SetWallpaper(const std::string& path) override;

  private:
    void StoreWallpaper(const std::string& path);

    Diagnostics& diagnostics_;
};

}  // namespace plimex::win32
