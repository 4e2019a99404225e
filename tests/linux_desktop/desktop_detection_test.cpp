#include "linux_desktop/desktop_detection.h"

#include <gtest/gtest.h>

#include <string>

namespace plimex::linux_desktop {
namespace {

WallpaperKind KindOfDesktop(const std::string& currentDesktop) {
    return DetectWallpaperKind(SessionEnvironment{.currentDesktop = currentDesktop, .x11 = true});
}

TEST(DesktopDetection, KnownDesktopNamesAsTheDesktopsSetThem) {
    EXPECT_EQ(KindOfDesktop("GNOME"), WallpaperKind::kGnome);
    EXPECT_EQ(KindOfDesktop("ubuntu:GNOME"), WallpaperKind::kGnome);
    EXPECT_EQ(KindOfDesktop("GNOME-Flashback:GNOME"), WallpaperKind::kGnome);
    EXPECT_EQ(KindOfDesktop("Budgie:GNOME"), WallpaperKind::kGnome);
    EXPECT_EQ(KindOfDesktop("Unity"), WallpaperKind::kGnome);
    EXPECT_EQ(KindOfDesktop("Pantheon"), WallpaperKind::kGnome);
    EXPECT_EQ(KindOfDesktop("X-Cinnamon"), WallpaperKind::kCinnamon);
    EXPECT_EQ(KindOfDesktop("MATE"), WallpaperKind::kMate);
    EXPECT_EQ(KindOfDesktop("XFCE"), WallpaperKind::kXfce);
    EXPECT_EQ(KindOfDesktop("KDE"), WallpaperKind::kPlasma);
    EXPECT_EQ(KindOfDesktop("LXQt"), WallpaperKind::kLxqt);
    EXPECT_EQ(KindOfDesktop("LXDE"), WallpaperKind::kLxde);
    EXPECT_EQ(KindOfDesktop("sway"), WallpaperKind::kSway);
}

TEST(DesktopDetection, NamesCompareWithoutCaseAndTheFirstKnownOneWins) {
    EXPECT_EQ(KindOfDesktop("xfce"), WallpaperKind::kXfce);
    EXPECT_EQ(KindOfDesktop("kde"), WallpaperKind::kPlasma);
    EXPECT_EQ(KindOfDesktop("Foo:MATE:GNOME"), WallpaperKind::kMate);
    EXPECT_EQ(KindOfDesktop("::lxde:"), WallpaperKind::kLxde);
    // Part of a name is not the name.
    EXPECT_EQ(KindOfDesktop("GNOMEish"), WallpaperKind::kX11Root);
    EXPECT_EQ(KindOfDesktop("KDE4X"), WallpaperKind::kX11Root);
}

TEST(DesktopDetection, WithoutAKnownDesktopTheDisplayServerDecides) {
    EXPECT_EQ(DetectWallpaperKind({.currentDesktop = "i3", .x11 = true}), WallpaperKind::kX11Root);
    EXPECT_EQ(DetectWallpaperKind({.currentDesktop = "", .x11 = true}), WallpaperKind::kX11Root);
    EXPECT_EQ(DetectWallpaperKind(
                  {.currentDesktop = "", .swaySocket = true, .wayland = true, .x11 = true}),
              WallpaperKind::kSway);
    EXPECT_EQ(DetectWallpaperKind({.currentDesktop = "Hyprland", .wayland = true, .x11 = true}),
              WallpaperKind::kWayland);
    EXPECT_EQ(DetectWallpaperKind({}), WallpaperKind::kNone);
}

TEST(DesktopDetection, ReadsTheProcessEnvironment) {
    setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", 1);
    setenv("SWAYSOCK", "", 1);
    setenv("WAYLAND_DISPLAY", "wayland-1", 1);
    unsetenv("DISPLAY");
    const SessionEnvironment session = SessionEnvironmentOfProcess();
    EXPECT_EQ(session.currentDesktop, "ubuntu:GNOME");
    EXPECT_FALSE(session.swaySocket);  // set but empty
    EXPECT_TRUE(session.wayland);
    EXPECT_FALSE(session.x11);
}

}  // namespace
}  // namespace plimex::linux_desktop
