#include "posix/user_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "posix/scratch_folder.h"

namespace plimex::posix {
namespace {

TEST(UserFoldersTest, ThePicturesFolderIsTheOneUserDirsNamesElsePicturesAtHome) {
    const ScratchFolder home;
    const std::string homePath = home.Folder().substr(0, home.Folder().size() - 1);
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", homePath.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    std::filesystem::create_directory(home / ".config");
    const struct {
        const char* userDirs;
        std::string pictures;
    } cases[] = {
        {nullptr, homePath + "/Pictures"},
        {"XDG_DESKTOP_DIR=\"$HOME/Bureau\"\nXDG_PICTURES_DIR=\"$HOME/Images\"\n",
         homePath + "/Images"},
        {"XDG_PICTURES_DIR=\"/srv/photos\"\n", "/srv/photos"},
        {"XDG_PICTURES_DIR=\"photos\"\n", homePath + "/Pictures"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(home / ".config/user-dirs.dirs");
        if (c.userDirs) home.Write(".config/user-dirs.dirs", c.userDirs);
        EXPECT_EQ(PicturesFolder(), c.pictures) << (c.userDirs ? c.userDirs : "no user-dirs.dirs");
    }
    EXPECT_EQ(HomeFolder(), homePath);
    ::setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
}  // namespace plimex::posix
