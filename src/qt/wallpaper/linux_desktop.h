#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "platform/desktop.h"
#include "platform/diagnostics.h"
#include "wallpaper/desktop_detection.h"
#include "wallpaper/wallpaper_mechanism.h"

namespace plimex {

// The desktop settings and the set-wallpaper call on the common Linux
// desktops. The desktop is recognised once, at construction, from
// XDG_CURRENT_DESKTOP and the display server in use (see
// desktop_detection.h); construct it on the GUI thread once the
// QGuiApplication exists.
//
// How the calls map:
// - RegOpenKeyExA succeeds only for HKEY_CURRENT_USER\Control Panel\Desktop
//   (any letter case, as the registry compares names) asked for with every
//   KEY_WRITE bit. The handle it gives is a token of this object, valid until
//   RegCloseKey.
// - RegSetValueExA of "Wallpaper" as REG_SZ stores the user's persistent
//   wallpaper: the data's first `size` bytes up to the first null are the
//   path. Where the desktop keeps the wallpaper in its own settings (the
//   GSettings family, XFCE, Plasma, LXDE, LXQt), writing that setting is what
//   both stores and shows it. Elsewhere (sway and other wlroots compositors, a
//   bare X server) nothing of the desktop's lasts across logins, and the path
//   goes to our own per-user file (see user_wallpaper_file.h).
// - SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, path, flags) shows the
//   file now. Every mechanism here tells running programs by itself (settings
//   change signals, the root window's properties), so SPIF_SENDCHANGE asks for
//   nothing more. When the value write just before stored this same path
//   through the desktop's own settings, the picture already shows and the call
//   succeeds without repeating the work. When the picture cannot be shown,
//   the path that value write put in our own file is taken back, so that the
//   stored wallpaper stays the one that shows.
// Failures return the registry's error codes or false; a failed call to show
// a picture also leaves one line with the mechanism, the path and the reason.
// Nothing throws and no call blocks for more than a few seconds.
class LinuxDesktop : public Desktop {
  public:
    explicit LinuxDesktop(Diagnostics& diagnostics);
    // For a chosen kind of desktop, and where our per-user file lives: our
    // folder in the user's configuration folder, beside the desktops' own.
    LinuxDesktop(WallpaperKind kind, std::filesystem::path configFolder, Diagnostics& diagnostics);

    long RegOpenKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, KeyHandle& key) override;
    long RegSetValueExA(KeyHandle key, const std::string& valueName, std::uint32_t reserved,
                        std::uint32_t type, const std::string& data, std::uint32_t size) override;
    long RegCloseKey(KeyHandle key) override;
    bool SystemParametersInfoA(std::uint32_t action, std::uint32_t param, const std::string& path,
                               std::uint32_t winIni) override;

  private:
    // What our own file held before a value write replaced it, until the
    // set-wallpaper call that follows shows the new picture.
    struct ReplacedUserWallpaper {
        std::string path;
        std::optional<std::string> before;
    };

    bool StoreUserWallpaper(const std::string& path);
    void TakeBackUserWallpaper(const std::string& path);
    bool ReportShowFailure(const std::string& path, std::string_view reason);

    std::filesystem::path configFolder_;
    Diagnostics& diagnostics_;
    std::string mechanismName_;
    std::unique_ptr<WallpaperMechanism> mechanism_;
    std::optional<ReplacedUserWallpaper> replacedUserWallpaper_;
    std::set<KeyHandle> openKeys_;
    KeyHandle nextKey_ = 1;
    // The path the last value write showed through the desktop's settings,
    // until the set-wallpaper call that follows it.
    std::optional<std::string> shownByValueWrite_;
};

}  // namespace plimex
