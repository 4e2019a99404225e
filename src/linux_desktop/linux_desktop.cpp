#include "linux_desktop/linux_desktop.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "linux_desktop/gsettings_wallpaper.h"
#include "linux_desktop/pcmanfm_wallpaper.h"
#include "linux_desktop/plasma_wallpaper.h"
#include "linux_desktop/sway_wallpaper.h"
#include "linux_desktop/user_wallpaper_file.h"
#include "linux_desktop/x11_root_wallpaper.h"
#include "linux_desktop/xfce_wallpaper.h"
#include "posix/bitmap_file.h"

namespace plimex::linux_desktop {

namespace {

// Our configuration folder first; where its name is not plain (a home folder
// like /home/user@domain), the runtime folder usually is.
std::vector<std::filesystem::path> SwayLinkPlaces(const std::filesystem::path& configFolder) {
    std::vector<std::filesystem::path> places;
    for (const std::filesystem::path& folder : {configFolder, UserRuntimeFolder()}) {
        if (!folder.empty()) places.push_back(folder / "sway-wallpaper");
    }
    return places;
}

std::unique_ptr<WallpaperMechanism> MakeMechanism(WallpaperKind kind,
                                                  const std::filesystem::path& configFolder,
                                                  Diagnostics& diagnostics) {
    switch (kind) {
        case WallpaperKind::kGnome:
            return std::make_unique<GSettingsWallpaper>(GSettingsWallpaper::Gnome());
        case WallpaperKind::kCinnamon:
            return std::make_unique<GSettingsWallpaper>(GSettingsWallpaper::Cinnamon());
        case WallpaperKind::kMate:
            return std::make_unique<GSettingsWallpaper>(GSettingsWallpaper::Mate());
        case WallpaperKind::kXfce:
            return std::make_unique<XfceWallpaper>();
        case WallpaperKind::kPlasma:
            return std::make_unique<PlasmaWallpaper>();
        case WallpaperKind::kLxqt:
            return std::make_unique<PcmanfmWallpaper>(
                PcmanfmWallpaper::Lxqt(configFolder.parent_path()));
        case WallpaperKind::kLxde:
            return std::make_unique<PcmanfmWallpaper>(PcmanfmWallpaper::Lxde());
        case WallpaperKind::kSway:
            return std::make_unique<SwayWallpaper>(SwayWallpaper::Route::kSwaymsg,
                                                   SwayLinkPlaces(configFolder), diagnostics);
        case WallpaperKind::kWayland:
            return std::make_unique<SwayWallpaper>(SwayWallpaper::Route::kSwaybg,
                                                   SwayLinkPlaces(configFolder), diagnostics);
        case WallpaperKind::kX11Root:
            return std::make_unique<X11RootWallpaper>();
        case WallpaperKind::kNone:
            break;
    }
    return nullptr;
}

std::string MechanismName(WallpaperKind kind) {
    switch (kind) {
        case WallpaperKind::kGnome:
        case WallpaperKind::kCinnamon:
        case WallpaperKind::kMate:
            return "GSettings wallpaper";
        case WallpaperKind::kXfce:
            return "xfconf wallpaper";
        case WallpaperKind::kPlasma:
            return "Plasma wallpaper";
        case WallpaperKind::kLxqt:
        case WallpaperKind::kLxde:
            return "pcmanfm wallpaper";
        case WallpaperKind::kSway:
        case WallpaperKind::kWayland:
            return "sway wallpaper";
        case WallpaperKind::kX11Root:
            return "X11 root wallpaper";
        case WallpaperKind::kNone:
            break;
    }
    return "wallpaper";
}

}  // namespace

LinuxDesktop::LinuxDesktop(Diagnostics& diagnostics)
    : LinuxDesktop(DetectWallpaperKind(SessionEnvironmentOfProcess()), UserConfigFolder(),
                   diagnostics) {}

LinuxDesktop::LinuxDesktop(WallpaperKind kind, std::filesystem::path configFolder,
                           Diagnostics& diagnostics)
    : configFolder_(std::move(configFolder)),
      diagnostics_(diagnostics),
      mechanismName_(MechanismName(kind)),
      mechanism_(MakeMechanism(kind, configFolder_, diagnostics)) {}

bool LinuxDesktop::SetWallpaper(const std::string& path) {
    // A file name cannot hold a null byte.
    if (path.find('\0') != std::string::npos) {
        return ReportShowFailure(path, "a null byte in the path");
    }
    // The desktop runs in another folder: a relative path would name another
    // file there, or none.
    if (path.empty() || path.front() != '/') {
        return ReportShowFailure(path, "not an absolute path");
    }
    if (!mechanism_) {
        return ReportShowFailure(path, "no desktop that this program can set");
    }
    // Desktops draw what they make of any file, a text file or a header
    // without pixels, as a plain colour or black, and still say yes.
    if (!mechanism_->DecodesFile()) {
        const std::string failure = posix::CheckBitmapFile(path);
        if (!failure.empty()) return ReportShowFailure(path, failure);
    }
    if (!mechanism_->Show(path)) {
        return ReportShowFailure(path, mechanism_->failure().empty()
                                           ? "the desktop refused it or could not be reached"
                                           : mechanism_->failure());
    }
    // Stored only once it shows, so that what is stored is what shows.
    if (!mechanism_->KeepsUserSetting()) {
        const std::filesystem::path file = configFolder_ / "wallpaper";
        if (configFolder_.empty() || !WriteUserWallpaperFile(file, path)) {
            diagnostics_.ReportFailure(mechanismName_, path,
                                       "shown, but not stored in " + file.string());
        }
    }
    return true;
}

bool LinuxDesktop::ReportShowFailure(const std::string& path, std::string_view reason) {
    diagnostics_.ReportFailure(mechanismName_, path, reason);
    return false;
}

}  // namespace plimex::linux_desktop
