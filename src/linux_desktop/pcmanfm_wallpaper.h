#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "linux_desktop/wallpaper_mechanism.h"

namespace plimex::linux_desktop {

// LXDE and LXQt: the desktop is drawn by the file manager, pcmanfm or
// pcmanfm-qt, which takes a new wallpaper on its command line, hands it to
// its running instance and saves it in its own settings. The user's own
// wallpaper mode (placement) stays in force, except where it shows no picture
// at all (the plain colour): pcmanfm then picks a mode by itself, pcmanfm-qt
// does not, and is told to stretch the picture.
class PcmanfmWallpaper : public WallpaperMechanism {
  public:
    // Where the user's wallpaper mode is kept: the settings file of the
    // profile the session starts the program with, the key, and the value
    // that shows only the colour.
    struct ModeSetting {
        std::filesystem::path file;
        std::string key;
        std::string colourOnly;
    };

    PcmanfmWallpaper(std::string program, std::optional<ModeSetting> mode)
        : program_(std::move(program)), mode_(std::move(mode)) {}

    static PcmanfmWallpaper Lxde();
    // configHome: the user's configuration folder ($XDG_CONFIG_HOME).
    static PcmanfmWallpaper Lxqt(const std::filesystem::path& configHome);

    bool Show(const std::string& path) override;
    bool KeepsUserSetting() const override { return true; }

  private:
    bool ShowsOnlyColour() const;

    std::string program_;
    std::optional<ModeSetting> mode_;
};

}  // namespace plimex::linux_desktop
