#include "wallpaper/linux_desktop.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "fake_tools.h"
#include "recording_diagnostics.h"
#include "temporary_folder.h"

namespace plimex {
namespace {

constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
constexpr std::uint32_t kKeyRead = 0x20019u;
constexpr std::uint32_t kRegExpandSz = 2;

class LinuxDesktopTest : public testing::Test {
  protected:
    // The key the program opens for each new wallpaper.
    static long OpenDesktopKey(Desktop& desktop, Desktop::KeyHandle& key) {
        return desktop.RegOpenKeyExA(Desktop::kHkeyCurrentUser, "Control Panel\\Desktop", 0,
                                     Desktop::kKeyWrite, key);
    }

    // The value as the program writes it: the path and its ending null.
    static long WriteWallpaperValue(Desktop& desktop, Desktop::KeyHandle key,
                                    const std::string& path) {
        return desktop.RegSetValueExA(key, "Wallpaper", 0, Desktop::kRegSz, path + '\0',
                                      static_cast<std::uint32_t>(path.size() + 1));
    }

    // The sequence the program runs for each new wallpaper.
    static void ApplyWallpaper(Desktop& desktop, const std::string& path) {
        Desktop::KeyHandle key = 0;
        if (OpenDesktopKey(desktop, key) == 0) {
            WriteWallpaperValue(desktop, key, path);
            desktop.RegCloseKey(key);
        }
        desktop.SystemParametersInfoA(Desktop::kSpiSetDeskWallpaper, 0, path,
                                      Desktop::kSpifSendChange);
    }

    std::string UserFile() const { return (config_.path() / "wallpaper").string(); }

    RecordingDiagnostics diagnostics_;
    TemporaryFolder config_;
    const std::string path_ = config_.Name(kAwkwardLeaf);
};

TEST_F(LinuxDesktopTest, OnlyTheUsersDesktopKeyOpensAndOnlyForWriting) {
    LinuxDesktop desktop(WallpaperKind::kNone, config_.path(), diagnostics_);
    Desktop::KeyHandle key = 0;
    EXPECT_EQ(OpenDesktopKey(desktop, key), 0);
    EXPECT_NE(key, 0u);
    Desktop::KeyHandle other = 0;
    EXPECT_EQ(desktop.RegOpenKeyExA(Desktop::kHkeyCurrentUser, "CONTROL PANEL\\desktop", 0,
                                    Desktop::kKeyWrite, other),
              0);
    EXPECT_NE(other, key);

    Desktop::KeyHandle refused = 0;
    EXPECT_NE(desktop.RegOpenKeyExA(kHkeyLocalMachine, "Control Panel\\Desktop", 0,
                                    Desktop::kKeyWrite, refused),
              0);
    EXPECT_NE(desktop.RegOpenKeyExA(Desktop::kHkeyCurrentUser, "Control Panel\\Colors", 0,
                                    Desktop::kKeyWrite, refused),
              0);
    EXPECT_NE(desktop.RegOpenKeyExA(Desktop::kHkeyCurrentUser, "Control Panel\\Desktop", 0,
                                    kKeyRead, refused),
              0);
}

TEST_F(LinuxDesktopTest, AKeyServesUntilItIsClosed) {
    LinuxDesktop desktop(WallpaperKind::kNone, config_.path(), diagnostics_);
    Desktop::KeyHandle key = 0;
    ASSERT_EQ(OpenDesktopKey(desktop, key), 0);
    EXPECT_NE(desktop.RegSetValueExA(key + 1, "Wallpaper", 0, Desktop::kRegSz, "/a.bmp", 7), 0);
    EXPECT_EQ(desktop.RegSetValueExA(key, "Wallpaper", 0, Desktop::kRegSz, "/a.bmp", 7), 0);
    EXPECT_EQ(desktop.RegCloseKey(key), 0);
    EXPECT_NE(desktop.RegCloseKey(key), 0);
    EXPECT_NE(desktop.RegSetValueExA(key, "Wallpaper", 0, Desktop::kRegSz, "/b.bmp", 7), 0);
    EXPECT_EQ(ReadWholeFile(UserFile()), "/a.bmp");
}

TEST_F(LinuxDesktopTest, WithoutADesktopSettingTheValueGoesToOurFileByteForByte) {
    LinuxDesktop desktop(WallpaperKind::kNone, config_.path() / "plimex", diagnostics_);
    Desktop::KeyHandle key = 0;
    ASSERT_EQ(OpenDesktopKey(desktop, key), 0);
    const std::string path = path_ + "\xe9";
    EXPECT_EQ(WriteWallpaperValue(desktop, key, path), 0);
    const std::string file = (config_.path() / "plimex" / "wallpaper").string();
    EXPECT_EQ(ReadWholeFile(file), path);

    // The size given decides where the string ends, as the registry has it.
    EXPECT_EQ(desktop.RegSetValueExA(key, "Wallpaper", 0, Desktop::kRegSz, "/pic.bmp.old", 9), 0);
    EXPECT_EQ(ReadWholeFile(file), "/pic.bmp.");
    EXPECT_EQ(desktop.RegSetValueExA(key, "wallpaper", 0, Desktop::kRegSz, "/x.bmp\0junk", 99), 0);
    EXPECT_EQ(ReadWholeFile(file), "/x.bmp");

    EXPECT_NE(desktop.RegSetValueExA(key, "TileWallpaper", 0, Desktop::kRegSz, "1", 2), 0);
    EXPECT_NE(desktop.RegSetValueExA(key, "Wallpaper", 0, kRegExpandSz, "/y.bmp", 7), 0);
    EXPECT_EQ(ReadWholeFile(file), "/x.bmp");
    EXPECT_TRUE(std::filesystem::is_regular_file(file));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(config_.path() / "plimex"), {}), 1)
        << "a temporary file was left beside ours";
}

TEST_F(LinuxDesktopTest, WithoutADisplayNothingShowsAndThatIsReported) {
    LinuxDesktop desktop(WallpaperKind::kNone, config_.path(), diagnostics_);
    EXPECT_FALSE(desktop.SystemParametersInfoA(Desktop::kSpiSetDeskWallpaper, 0, path_,
                                               Desktop::kSpifSendChange));
}

TEST_F(LinuxDesktopTest, AnUnwritableFolderFailsTheValueWrite) {
    const std::string blocker = config_.Name("not-a-folder");
    WriteWholeFile(blocker, "");
    LinuxDesktop desktop(WallpaperKind::kNone, blocker, diagnostics_);
    Desktop::KeyHandle key = 0;
    ASSERT_EQ(OpenDesktopKey(desktop, key), 0);
    EXPECT_NE(desktop.RegSetValueExA(key, "Wallpaper", 0, Desktop::kRegSz, "/a.bmp", 7), 0);
}

TEST_F(LinuxDesktopTest, WhereTheDesktopStoresTheSettingEachChangeRunsItsToolOnce) {
    FakeTools tools;
    tools.Install("pcmanfm");
    LinuxDesktop desktop(WallpaperKind::kLxde, config_.path(), diagnostics_);

    ApplyWallpaper(desktop, path_);
    ASSERT_EQ(tools.Invocations().size(), 1u);
    EXPECT_EQ(tools.Invocations()[0].argv.back(), "--set-wallpaper=" + path_);
    // The same picture again is a new change, carried out again.
    ApplyWallpaper(desktop, path_);
    EXPECT_EQ(tools.Invocations().size(), 2u);
    // The call on its own shows the picture.
    EXPECT_TRUE(desktop.SystemParametersInfoA(Desktop::kSpiSetDeskWallpaper, 0, path_,
                                              Desktop::kSpifSendChange));
    EXPECT_EQ(tools.Invocations().size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(UserFile())) << "the desktop keeps the setting itself";
}

TEST_F(LinuxDesktopTest, WhenTheSettingFailsTheSetWallpaperCallTriesAgain) {
    FakeTools tools;
    tools.Install("pcmanfm", "exit 1");
    LinuxDesktop desktop(WallpaperKind::kLxde, config_.path(), diagnostics_);
    ApplyWallpaper(desktop, path_);
    EXPECT_EQ(tools.Invocations().size(), 2u);
}

TEST_F(LinuxDesktopTest, WhereTheDesktopKeepsNoSettingOurFileKeepsItAndTheCallShows) {
    FakeTools tools;
    tools.Install("swaymsg");
    LinuxDesktop desktop(WallpaperKind::kSway, config_.path(), diagnostics_);
    ApplyWallpaper(desktop, path_);
    EXPECT_EQ(ReadWholeFile(UserFile()), path_);
    ASSERT_EQ(tools.Invocations().size(), 1u);
    EXPECT_EQ(std::filesystem::read_symlink(tools.Invocations()[0].argv.at(4)).string(), path_);
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
    const std::string home = config_.Name("home");
    {
        const SessionVariables session("LXDE", config_.Name("config"), home);
        LinuxDesktop desktop(diagnostics_);
        ApplyWallpaper(desktop, path_);
        EXPECT_EQ(tools.Invocations().size(), 1u);
    }
    {
        const SessionVariables session("", config_.Name("config"), home);
        LinuxDesktop desktop(diagnostics_);
        Desktop::KeyHandle key = 0;
        ASSERT_EQ(OpenDesktopKey(desktop, key), 0);
        WriteWallpaperValue(desktop, key, path_);
        EXPECT_EQ(ReadWholeFile(config_.Name("config/plimex/wallpaper")), path_);
    }
    {
        // A relative XDG_CONFIG_HOME is not to be used.
        const SessionVariables session("", "relative", home);
        LinuxDesktop desktop(diagnostics_);
        Desktop::KeyHandle key = 0;
        ASSERT_EQ(OpenDesktopKey(desktop, key), 0);
        WriteWallpaperValue(desktop, key, path_);
        EXPECT_EQ(ReadWholeFile(home + "/.config/plimex/wallpaper"), path_);
    }
    EXPECT_EQ(tools.Invocations().size(), 1u);
}

}  // namespace
}  // namespace plimex
