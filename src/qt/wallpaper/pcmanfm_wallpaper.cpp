#include "wallpaper/pcmanfm_wallpaper.h"

#include "wallpaper/child_process.h"

namespace plimex {

bool PcmanfmWallpaper::Show(const std::string& path) {
    // One argument with '=': a path that starts with '-' cannot be taken for
    // an option.
    return RunProgram({program_, "--set-wallpaper=" + path}, std::chrono::milliseconds(3000)) ==
           RunResult::kSucceeded;
}

}  // namespace plimex
