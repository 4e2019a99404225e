#pragma once

#include "linux_desktop/wallpaper_mechanism.h"

namespace plimex::linux_desktop {

// A bare X server, with a window manager or none: the picture, stretched over
// each monitor as the program's preview shows it, becomes the root window's
// background pixmap. The pixmap is published in _XROOTPMAP_ID and
// ESETROOT_PMAP_ID, the properties through which pseudo-transparent programs
// learn of a new wallpaper, and it outlives this program: its connection is
// closed in RetainPermanent mode. The pixmap of the wallpaper before, when it
// was left that same way by a setter of this kind (both properties name it),
// is freed, so that changing the wallpaper again and again does not fill the
// server's memory. The X server keeps no setting across logins.
class X11RootWallpaper : public WallpaperMechanism {
  public:
    bool Show(const std::string& path) override;
    bool KeepsUserSetting() const override { return false; }
    bool DecodesFile() const override { return true; }
};

}  // namespace plimex::linux_desktop
