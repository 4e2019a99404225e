#include "linux_desktop/linux_desktop.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "fake_tools.h"
#include "fakes/fake_platform.h"
#include "posix/scratch_folder.h"

namespace plimex::linux_desktop {
namespace {

class LinuxDesktopTest : public ::testing::Test {
  protected:
    LinuxDesktopTest() { WriteWholeFile(path_, TwoPixelBitmap(0x336699, 0x336699)); }

    std::string UserFile() const { return (config_.path() / "wallpaper").string(); }

    plimex::testing::FakeDiagnostics diagnostics_;
    ScratchFolder config_;
    const std::string path_ = config_ /
                              "Mon \"fond\" d'\xc3\xa9"
                              "cran $(touch pwned) #1.bmp";
};

// A desktop draws a file it cannot read as a plain colour or black and says
// yes, and takes a relative path from its own folder: none of these reaches
// one. Each is reported once, and the desktop's tool never runs.
TEST_F(LinuxDesktopTest, OnlyAFileOurDecoderReadsByItsAbsolutePathReachesADesktop) {
    config_.Write("text.bmp", "not a picture\n");
    config_.Write("header-only.bmp", TwoPixelBitmap(0, 0).substr(0, 54));
    std::filesystem::create_directory(config_ / "folder.bmp");
    ASSERT_EQ(::mkfifo((config_ / "pipe.bmp").c_str(), 0600), 0);
    const std::string refused[] = {
        config_ / "text.bmp",    config_ / "header-only.bmp",
        config_ / "folder.bmp",  config_ / "pipe.bmp",
        config_ / "missing.bmp", std::filesystem::relative(path_, std::filesystem::current_path()),
    };
    FakeTools tools;
    for (const char* tool : {"pcmanfm", "swaymsg", "swaybg"}) tools.Install(tool);
    for (const WallpaperKind kind : {WallpaperKind::kLxde, WallpaperKind::kSway}) {
        LinuxDesktop desktop(kind, config_.path(), diagnostics_);
        for (const std::string& path : refused) {
            diagnostics_.lines.clear();
            EXPECT_FALSE(desktop.SetWallpaper(path)) << path;
            EXPECT_EQ(diagnostics_.lines.size(), 1u) << path;
        }
    }
    EXPECT_TRUE(tools.Invocations().empty());
}

TEST_F(LinuxDesktopTest, WithoutADesktopToSetNothingShowsAndThatIsReported) {
    LinuxDesktop desktop(WallpaperKind::kNone, config_.path(), diagnostics_);
    EXPECT_FALSE(desktop.SetWallpaper(path_));
    EXPECT_EQ(
        diagnostics_.lines,
        std::vector<std::string>{"wallpaper: " + path_ + ": no desktop that this program can set"});
    EXPECT_FALSE(std::filesystem::exists(UserFile()));
}

TEST_F(LinuxDesktopTest, WhereTheDesktopStoresTheSettingEachChangeRunsItsToolOnce) {
    FakeTools tools;
    tools.Install("pcmanfm");
    LinuxDesktop desktop(WallpaperKind::kLxde, config_.path(), diagnostics_);

    EXPECT_TRUE(desktop.SetWallpaper(path_));
    ASSERT_EQ(tools.Invocations().size(), 1u);
    EXPECT_EQ(tools.Invocations()[0].argv.back(), "--set-wallpaper=" + path_);
    // The same picture again is a new change, carried out again.
    EXPECT_TRUE(desktop.SetWallpaper(path_));
    EXPECT_EQ(tools.Invocations().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(UserFile())) << "the desktop keeps the setting itself";
}

TEST_F(LinuxDesktopTest, ADesktopThatRefusesThePictureIsReportedOnce) {
    FakeTools tools;
    tools.Install("pcmanfm", "exit 1");
    LinuxDesktop desktop(WallpaperKind::kLxde, config_.path(), diagnostics_);
    EXPECT_FALSE(desktop.SetWallpaper(path_));
    EXPECT_EQ(tools.Invocations().size(), 1u);
    ASSERT_EQ(diagnostics_.lines.size(), 1u);
    EXPECT_EQ(diagnostics_.lines[0].rfind("pcmanfm wallpaper: " + path_ + ": ", 0), 0u);
}

TEST_F(LinuxDesktopTest, WhereTheDesktopKeepsNoSettingOurFileKeepsWhatShows) {
    FakeTools tools;
    tools.Install("swaymsg");
    LinuxDesktop desktop(WallpaperKind::kSway, config_.path(), diagnostics_);
    EXPECT_TRUE(desktop.SetWallpaper(path_));
    EXPECT_EQ(ReadWholeFile(UserFile()), path_);
    ASSERT_EQ(tools.Invocations().size(), 1u);
    EXPECT_EQ(std::filesystem::read_symlink(tools.Invocations()[0].argv.at(4)).string(), path_);

    // A picture that does not show leaves the stored one as it was.
    tools.Install("swaymsg", "exit 1");
    tools.Install("swaybg", "exit 1");
    EXPECT_FALSE(desktop.SetWallpaper(path_ + ".other"));
    EXPECT_EQ(ReadWholeFile(UserFile()), path_);
}

// Sets the session's variables for the life of the object.
class SessionVariables {
  public:
    SessionVariables(const char* currentDesktop, const std::string& configHome,
                     const std::string& home) {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            if (value != nullptr) saved_[name] = value;
            unsetenv(name);
        }
        setenv("XDG_CURRENT_DESKTOP", currentDesktop, 1);
        setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
        setenv("HOME", home.c_str(), 1);
    }
    ~SessionVariables() {
        for (const char* name : kNames) {
            const auto saved = saved_.find(name);
            if (saved != saved_.end()) {
                setenv(name, saved->second.c_str(), 1);
            } else {
                unsetenv(name);
            }
        }
    }
    SessionVariables(const SessionVariables&) = delete;
    SessionVariables& operator=(const SessionVariables&) = delete;

  private:
    static constexpr std::array kNames{"XDG_CURRENT_DESKTOP", "XDG_CONFIG_HOME", "HOME", "DISPLAY",
                                       "WAYLAND_DISPLAY",     "SWAYSOCK"};
    std::map<std::string, std::string> saved_;
};

TEST_F(LinuxDesktopTest, TheSessionDecidesTheDesktopAndWhereOurFileLives) {
    FakeTools tools;
    tools.Install("pcmanfm");
    tools.Install("swaymsg");
    const std::string home = config_ / "home";
    {
        const SessionVariables session("LXDE", config_ / "config", home);
        LinuxDesktop desktop(diagnostics_);
        EXPECT_TRUE(desktop.SetWallpaper(path_));
        EXPECT_EQ(tools.Invocations().back().argv.at(0), "pcmanfm");
    }
    {
        const SessionVariables session("", config_ / "config", home);
        setenv("SWAYSOCK", "/nonexistent", 1);
        LinuxDesktop desktop(diagnostics_);
        EXPECT_TRUE(desktop.SetWallpaper(path_));
        EXPECT_EQ(ReadWholeFile(config_ / "config/plimex/wallpaper"), path_);
    }
    {
        // A relative XDG_CONFIG_HOME is not to be used.
        const SessionVariables session("", "relative", home);
        setenv("SWAYSOCK", "/nonexistent", 1);
        LinuxDesktop desktop(diagnostics_);
        EXPECT_TRUE(desktop.SetWallpaper(path_));
        EXPECT_EQ(ReadWholeFile(home + "/.config/plimex/wallpaper"), path_);
    }
}

}  // namespace
}  // namespace plimex::linux_desktop
