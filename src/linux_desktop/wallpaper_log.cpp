#include "linux_desktop/wallpaper_log.h"

#include <iostream>

namespace plimex::linux_desktop {

void LogWallpaperProblem(std::string_view mechanism, std::string_view path,
                         std::string_view reason) {
    std::cerr << "plimex: wallpaper (" << mechanism << ") " << path << ": " << reason << '\n';
}

}  // namespace plimex::linux_desktop
