#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "linux_desktop/child_process.h"
#include "linux_desktop/wallpaper_mechanism.h"
#include "platform/diagnostics.h"

namespace plimex::linux_desktop {

// sway and the other wlroots compositors. sway is told through swaymsg and
// then runs swaybg itself; where swaymsg is missing, or for another
// compositor, this program runs swaybg. Either way the picture is stretched
// over each output, as the program's preview shows it. Neither keeps a
// setting of its own for the next login.
class SwayWallpaper : public WallpaperMechanism {
  public:
    enum class Route { kSwaymsg, kSwaybg };

    // linkPlaces: file names of ours, in order of preference, for the link
    // that sway is given in place of the picture's own path (see Show). Only
    // one made of plain characters will do; without one, swaybg draws.
    // diagnostics: hears when swaybg has to draw in sway's place.
    SwayWallpaper(Route route, std::vector<std::filesystem::path> linkPlaces,
                  Diagnostics& diagnostics);
    SwayWallpaper(const SwayWallpaper&) = delete;
    SwayWallpaper& operator=(const SwayWallpaper&) = delete;

    bool Show(const std::string& path) override;
    bool KeepsUserSetting() const override { return false; }

  private:
    std::optional<std::filesystem::path> LinkTo(const std::string& path) const;
    bool ShowThroughSwaybg(const std::string& path);

    Route route_;
    std::vector<std::filesystem::path> linkPlaces_;
    // Our swaybg, replaced at each change; the last one stays and keeps
    // drawing the wallpaper after the program ends.
    std::optional<pid_t> swaybg_;
    Diagnostics& diagnostics_;
};

}  // namespace plimex::linux_desktop
