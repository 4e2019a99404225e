#pragma once

#include <string>
#include <utility>

#include "wallpaper/wallpaper_mechanism.h"

namespace plimex {

// LXDE and LXQt: the desktop is drawn by the file manager, pcmanfm or
// pcmanfm-qt, which takes a new wallpaper on its command line, hands it to
// its running instance and saves it in its own settings. The wallpaper mode
// (placement) is not passed, so the user's own choice stays in force.
class PcmanfmWallpaper : public WallpaperMechanism {
  public:
    explicit PcmanfmWallpaper(std::string program) : program_(std::move(program)) {}

    static PcmanfmWallpaper Lxde() { return PcmanfmWallpaper("pcmanfm"); }
    static PcmanfmWallpaper Lxqt() { return PcmanfmWallpaper("pcmanfm-qt"); }

    bool Show(const std::string& path) override;
    bool KeepsUserSetting() const override { return true; }

  private:
    std::string program_;
};

}  // namespace plimex
