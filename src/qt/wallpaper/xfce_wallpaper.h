#pragma once

#include "wallpaper/wallpaper_mechanism.h"

namespace plimex {

// XFCE: xfdesktop follows its xfconf channel. Every monitor and workspace has
// its own last-image property under /backdrop; all of them get the file, so
// the picture shows wherever the user looks. xfconf stores the properties, so
// that is the user's setting as well. The image-style properties (placement)
// keep the user's choice.
class XfceWallpaper : public WallpaperMechanism {
  public:
    bool Show(const std::string& path) override;
    bool KeepsUserSetting() const override { return true; }
};

}  // namespace plimex
