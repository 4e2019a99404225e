#include "linux_desktop/desktop_detection.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>

namespace plimex::linux_desktop {

namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return lower;
}

// Names as the desktops spell them in XDG_CURRENT_DESKTOP, compared in lower
// case. Unity and Pantheon draw the background from GNOME's settings.
constexpr std::array<std::pair<std::string_view, WallpaperKind>, 13> kDesktopNames{{
    {"gnome", WallpaperKind::kGnome},
    {"ubuntu", WallpaperKind::kGnome},
    {"budgie", WallpaperKind::kGnome},
    {"unity", WallpaperKind::kGnome},
    {"pantheon", WallpaperKind::kGnome},
    {"x-cinnamon", WallpaperKind::kCinnamon},
    {"cinnamon", WallpaperKind::kCinnamon},
    {"mate", WallpaperKind::kMate},
    {"xfce", WallpaperKind::kXfce},
    {"kde", WallpaperKind::kPlasma},
    {"lxqt", WallpaperKind::kLxqt},
    {"lxde", WallpaperKind::kLxde},
    {"sway", WallpaperKind::kSway},
}};

std::optional<WallpaperKind> KindOfDesktopName(std::string_view name) {
    const std::string lower = Lowercase(name);
    for (const auto& [known, kind] : kDesktopNames) {
        if (lower == known) return kind;
    }
    return std::nullopt;
}

std::optional<WallpaperKind> KindOfDesktopList(std::string_view list) {
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        if (const auto kind = KindOfDesktopName(list.substr(0, colon))) return kind;
        if (colon == std::string_view::npos) break;
        list.remove_prefix(colon + 1);
    }
    return std::nullopt;
}

}  // namespace

SessionEnvironment SessionEnvironmentOfProcess() {
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    return SessionEnvironment{
        .currentDesktop = desktop != nullptr ? desktop : "",
        .swaySocket = IsSet("SWAYSOCK"),
        .wayland = IsSet("WAYLAND_DISPLAY"),
        .x11 = IsSet("DISPLAY"),
    };
}

WallpaperKind DetectWallpaperKind(const SessionEnvironment& session) {
    if (const auto kind = KindOfDesktopList(session.currentDesktop)) return *kind;
    // Under Wayland an X server may run beside the compositor for old
    // programs; its root window is hidden, so Wayland comes first.
    if (session.swaySocket) return WallpaperKind::kSway;
    if (session.wayland) return WallpaperKind::kWayland;
    if (session.x11) return WallpaperKind::kX11Root;
    return WallpaperKind::kNone;
}

}  // namespace plimex::linux_desktop
