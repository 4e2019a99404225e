#pragma once

#include "linux_desktop/wallpaper_mechanism.h"

namespace plimex::linux_desktop {

// KDE Plasma: plasmashell's desktop scripting, reached over the session bus,
// gives every desktop the image wallpaper plugin showing the file. Plasma keeps
// that in its own configuration, so it is the user's setting as well.
class PlasmaWallpaper : public WallpaperMechanism {
  public:
    bool Show(const std::string& path) override;
    bool KeepsUserSetting() const override { return true; }
};

}  // namespace plimex::linux_desktop
