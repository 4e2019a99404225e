#include "wallpaper/wallpaper_log.h"

#include <iostream>

namespace plimex {

void LogWallpaperProblem(std::string_view mechanism, std::string_view path,
                         std::string_view reason) {
    std::cerr << "plimex: wallpaper (" << mechanism << ") " << path << ": " << reason << '\n';
}

}  // namespace plimex
