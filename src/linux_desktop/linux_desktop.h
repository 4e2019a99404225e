#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "linux_desktop/desktop_detection.h"
#include "linux_desktop/wallpaper_mechanism.h"
#include "platform/desktop.h"
#include "platform/diagnostics.h"

namespace plimex::linux_desktop {

// The wallpaper on the common Linux desktops. The desktop is recognised
// once, at construction, from XDG_CURRENT_DESKTOP and the display server in
// use (see desktop_detection.h); construct it on the GUI thread once the
// QGuiApplication exists.
//
// Where the desktop keeps the wallpaper in its own settings (the GSettings
// family, XFCE, Plasma, LXDE, LXQt), writing that setting both stores and
// shows it, and tells running programs. Elsewhere (sway and other wlroots
// compositors, a bare X server) nothing of the desktop's lasts across
// logins: once the picture shows, its path goes to our own per-user file
// (see user_wallpaper_file.h). Only an absolute path to a file that the
// program's own decoder reads is handed to a desktop. A picture that could
// not be shown leaves one line with the mechanism, the path and the reason,
// and nothing stored changes. Nothing throws and no call blocks for more than a few seconds.
class LinuxDesktop : public Desktop {
  public:
    explicit LinuxDesktop(Diagnostics& diagnostics);
    // For a chosen kind of desktop, and where our per-user file lives: our
    // folder in the user's configuration folder, beside the desktops' own.
    LinuxDesktop(WallpaperKind kind, std::filesystem::path configFolder, Diagnostics& diagnostics);

    bool SetWallpaper(const std::string& path) override;

  private:
    bool ReportShowFailure(const std::string& path, std::string_view reason);

    std::filesystem::path configFolder_;
    Diagnostics& diagnostics_;
    std::string mechanismName_;
    std::unique_ptr<WallpaperMechanism> mechanism_;
};

}  // namespace plimex::linux_desktop
