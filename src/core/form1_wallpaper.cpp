#include <utility>

#include "core/form1.h"

namespace plimex {

// The desktop reads the picture, from a share that may take seconds to give
// it: the window keeps answering meanwhile. The desktop takes one picture at
// a time, and only the latest asked for is worth applying next.
void Form1::ApplyWallpaper(const std::wstring& path) {
    wantedWallpaper_ = Ansi(path);
    if (!applying_) {
        ApplyWantedWallpaper();
    }
}

void Form1::ApplyWantedWallpaper() {
    applying_ = true;
    Desktop& desktop = platform_.desktop;
    platform_.work.Run([this, &desktop, path = *std::exchange(wantedWallpaper_, std::nullopt)] {
        const bool shown = desktop.SetWallpaper(path);
        return [this, path, shown] { WallpaperApplied(path, shown); };
    });
}

void Form1::WallpaperApplied(const std::string& path, bool shown) {
    if (unloaded_) {
        return;
    }
    applying_ = false;
    // A picture the system could not show is not the current wallpaper: the
    // label keeps naming the one that is. The desktop has said why.
    if (shown) {
        c_.LblPap.SetCaption(platform_.codePage.FromAnsi(path));
    }
    if (wantedWallpaper_) {
        ApplyWantedWallpaper();
    }
}

}  // namespace plimex
