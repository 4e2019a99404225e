#pragma once

#include <QStringList>
#include <functional>

#include "linux_desktop/wallpaper_mechanism.h"

namespace plimex::linux_desktop {

// XFCE: xfdesktop follows its xfconf channel. Every monitor and workspace has
// its own last-image property under /backdrop; all of them get the file, so
// the picture shows wherever the user looks. A user who never chose a
// wallpaper has no such property yet: then each monitor's first workspace,
// the one xfdesktop shows on every workspace unless told otherwise, gets one.
// xfconf stores the properties, so that is the user's setting as well. The
// image-style properties (placement) keep the user's choice, unless it shows
// no picture at all (style 0, the plain colour): that one becomes stretched.
class XfceWallpaper : public WallpaperMechanism {
  public:
    // The connected monitors' output names, as xfdesktop names its
    // properties after them.
    using MonitorNames = std::function<QStringList()>;

    XfceWallpaper();
    explicit XfceWallpaper(MonitorNames monitorNames);

    bool Show(const std::string& path) override;
    bool KeepsUserSetting() const override { return true; }

  private:
    MonitorNames monitorNames_;
};

}  // namespace plimex::linux_desktop
