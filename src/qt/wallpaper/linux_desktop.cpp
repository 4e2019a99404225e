#include "wallpaper/linux_desktop.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "wallpaper/gsettings_wallpaper.h"
#include "wallpaper/pcmanfm_wallpaper.h"
#include "wallpaper/plasma_wallpaper.h"
#include "wallpaper/sway_wallpaper.h"
#include "wallpaper/user_wallpaper_file.h"
#include "wallpaper/x11_root_wallpaper.h"
#include "wallpaper/xfce_wallpaper.h"

namespace plimex {

namespace {

// The registry's own error codes, so that callers read them as on Windows.
constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorAccessDenied = 5;
constexpr long kErrorInvalidHandle = 6;
constexpr long kErrorInvalidParameter = 87;
constexpr long kErrorCantWrite = 1013;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

// A REG_SZ value's string ends at its first null or at the size given.
std::string StringOfValue(const std::string& data, std::uint32_t size) {
    const std::string_view bytes(data.data(), std::min<std::size_t>(size, data.size()));
    return std::string(bytes.substr(0, bytes.find('\0')));
}

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
                                                  const std::filesystem::path& configFolder) {
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
                                                   SwayLinkPlaces(configFolder));
        case WallpaperKind::kWayland:
            return std::make_unique<SwayWallpaper>(SwayWallpaper::Route::kSwaybg,
                                                   SwayLinkPlaces(configFolder));
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
      mechanism_(MakeMechanism(kind, configFolder_)) {}

long LinuxDesktop::RegOpenKeyExA(std::uint32_t root, const std::string& subKey,
                                 std::uint32_t /*options*/, std::uint32_t access, KeyHandle& key) {
    if (root != kHkeyCurrentUser) return kErrorInvalidHandle;
    if (!EqualsIgnoringCase(subKey, "Control Panel\\Desktop")) return kErrorFileNotFound;
    if ((access & kKeyWrite) != kKeyWrite) return kErrorAccessDenied;
    key = nextKey_++;
    openKeys_.insert(key);
    return kErrorSuccess;
}

long LinuxDesktop::RegSetValueExA(KeyHandle key, const std::string& valueName,
                                  std::uint32_t /*reserved*/, std::uint32_t type,
                                  const std::string& data, std::uint32_t size) {
    if (!openKeys_.contains(key)) return kErrorInvalidHandle;
    if (!EqualsIgnoringCase(valueName, "Wallpaper") || type != kRegSz) {
        return kErrorInvalidParameter;
    }
    const std::string path = StringOfValue(data, size);
    shownByValueWrite_.reset();
    replacedUserWallpaper_.reset();
    if (mechanism_ && mechanism_->KeepsUserSetting()) {
        if (!mechanism_->Show(path)) return kErrorCantWrite;
        shownByValueWrite_ = path;
        return kErrorSuccess;
    }
    std::optional<std::string> before = ReadUserWallpaperFile(configFolder_ / "wallpaper");
    if (!StoreUserWallpaper(path)) return kErrorCantWrite;
    replacedUserWallpaper_ = ReplacedUserWallpaper{path, std::move(before)};
    return kErrorSuccess;
}

long LinuxDesktop::RegCloseKey(KeyHandle key) {
    return openKeys_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

bool LinuxDesktop::SystemParametersInfoA(std::uint32_t action, std::uint32_t /*param*/,
                                         const std::string& path, std::uint32_t /*winIni*/) {
    if (action != kSpiSetDeskWallpaper) return false;
    const bool alreadyShown = shownByValueWrite_ == path;
    shownByValueWrite_.reset();
    if (alreadyShown) return true;
    // A file name cannot hold a null byte.
    if (path.find('\0') != std::string::npos)
        return ReportShowFailure(path, "a null byte in the path");
    if (!mechanism_) return ReportShowFailure(path, "no desktop that this program can set");
    if (!mechanism_->Show(path)) {
        return ReportShowFailure(path, mechanism_->failure().empty()
                                           ? "the desktop refused it or could not be reached"
                                           : mechanism_->failure());
    }
    replacedUserWallpaper_.reset();
    return true;
}

bool LinuxDesktop::StoreUserWallpaper(const std::string& path) {
    if (configFolder_.empty()) return false;
    return WriteUserWallpaperFile(configFolder_ / "wallpaper", path);
}

void LinuxDesktop::TakeBackUserWallpaper(const std::string& path) {
    if (!replacedUserWallpaper_ || replacedUserWallpaper_->path != path) return;
    const std::filesystem::path file = configFolder_ / "wallpaper";
    if (replacedUserWallpaper_->before) {
        WriteUserWallpaperFile(file, *replacedUserWallpaper_->before);
    } else {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
    }
    replacedUserWallpaper_.reset();
}

bool LinuxDesktop::ReportShowFailure(const std::string& path, std::string_view reason) {
    TakeBackUserWallpaper(path);
    diagnostics_.ReportFailure(mechanismName_, path, reason);
    return false;
}

}  // namespace plimex
