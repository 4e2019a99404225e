#include "core/form1.h"

namespace plimex {

void Form1::ApplyWallpaper(const std::wstring& path) {
    const std::string ansiPath = Ansi(path);
    // A picture the system could not show is not the current wallpaper: the
    // label keeps naming the one that is. The desktop has said why.
    if (platform_.desktop.SetWallpaper(ansiPath)) {
        c_.LblPap.SetCaption(platform_.codePage.FromAnsi(ansiPath));
    }
}

}  // namespace plimex
