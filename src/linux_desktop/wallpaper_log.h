#pragma once

#include <string_view>

namespace plimex::linux_desktop {

// One line on stderr (the systemd journal keeps it for a desktop session)
// when a wallpaper mechanism fails or has to take another way: which
// mechanism, which picture, and why.
void LogWallpaperProblem(std::string_view mechanism, std::string_view path,
                         std::string_view reason);

}  // namespace plimex::linux_desktop
