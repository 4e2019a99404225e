#pragma once

#include <string>

namespace plimex::linux_desktop {

// The ways of setting the wallpaper that this program knows, one per family of
// desktops that share a mechanism.
enum class WallpaperKind {
    kGnome,     // GNOME, Ubuntu, Budgie, Unity, Pantheon: org.gnome.desktop.background
    kCinnamon,  // org.cinnamon.desktop.background
    kMate,      // org.mate.background
    kXfce,      // xfconf over D-Bus
    kPlasma,    // plasmashell's scripting over D-Bus
    kLxqt,      // pcmanfm-qt draws the desktop
    kLxde,      // pcmanfm draws the desktop
    kSway,      // swaymsg, or swaybg where swaymsg is missing
    kWayland,   // another layer-shell compositor: swaybg
    kX11Root,   // a bare X server: the root window's background pixmap
    kNone,      // no display at all
};

// What the session tells about itself through its environment.
struct SessionEnvironment {
    std::string currentDesktop;  // XDG_CURRENT_DESKTOP, colon-separated
    bool swaySocket = false;     // SWAYSOCK is set
    bool wayland = false;        // WAYLAND_DISPLAY is set
    bool x11 = false;            // DISPLAY is set
};

SessionEnvironment SessionEnvironmentOfProcess();

// The first desktop name of the list that this program knows decides; without
// one, the display server does.
WallpaperKind DetectWallpaperKind(const SessionEnvironment& session);

}  // namespace plimex::linux_desktop
