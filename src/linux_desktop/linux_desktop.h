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
//
// SetWallpaper runs on a thread of its own, one call at a time, and so does
// each mechanism's Show; a mechanism's own state (sway's swaybg) is touched
// there only. What each one shares with the GUI thread is safe there:
// - D-Bus (Plasma, XFCE): QDBusConnection may be called from any thread, and
//   a blocking call waits on the connection's own thread, not on an event
//   loop of the caller's. XFCE's monitor names are read on the GUI thread.
// - GSettings: an object of the call's own, on GIO's thread-safe backend.
// - X11 root: a connection of its own; Xlib is made thread-safe before Qt
//   opens its display (Qt's xcb platform calls XInitThreads, as libX11 1.8
//   does itself). The error trap swaps Xlib's handler for the whole process,
//   but Qt speaks through xcb, whose errors never reach that handler.
// - Child processes (pcmanfm, swaymsg, swaybg): spawned without QProcess and
//   waited for by their own pid, so nothing of Qt's event loop is needed.
// - Diagnostics may be reported from any thread.
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
