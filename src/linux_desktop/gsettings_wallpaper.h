#pragma once

#include <string>
#include <vector>

#include "linux_desktop/wallpaper_mechanism.h"

namespace plimex::linux_desktop {

// The desktops that draw their background from a GSettings schema: GNOME and
// its relatives, Cinnamon and MATE. Writing the keys both shows the picture
// and keeps it as the user's setting. The placement key (picture-options)
// keeps the user's own choice of centring, scaling or tiling, as with the
// system call this program was made for; only a placement that shows no
// picture at all ('none', the plain colour, which GNOME and Cinnamon have)
// becomes 'stretched', the placement of that system call. The change counts
// once the settings service (dconf) has stored it; one that does not answer
// is given up after 2.5 s.
class GSettingsWallpaper : public WallpaperMechanism {
  public:
    enum class ValueForm { kFileUri, kPlainPath };

    // keys: every key to write that the schema has; at least one must exist.
    GSettingsWallpaper(std::string schemaId, std::vector<std::string> keys, ValueForm form);

    static GSettingsWallpaper Gnome();
    static GSettingsWallpaper Cinnamon();
    static GSettingsWallpaper Mate();

    bool Show(const std::string& path) override;
    bool KeepsUserSetting() const override { return true; }

  private:
    std::string schemaId_;
    std::vector<std::string> keys_;
    ValueForm form_;
};

}  // namespace plimex::linux_desktop
