#include "linux_desktop/pcmanfm_wallpaper.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "linux_desktop/child_process.h"

namespace plimex::linux_desktop {

PcmanfmWallpaper PcmanfmWallpaper::Lxde() {
    return PcmanfmWallpaper("pcmanfm", std::nullopt);
}

PcmanfmWallpaper PcmanfmWallpaper::Lxqt(const std::filesystem::path& configHome) {
    // lxqt-session starts "pcmanfm-qt --desktop --profile=lxqt".
    return PcmanfmWallpaper("pcmanfm-qt", ModeSetting{
                                              configHome / "pcmanfm-qt" / "lxqt" / "settings.conf",
                                              "WallpaperMode",
                                              "none",
                                          });
}

bool PcmanfmWallpaper::Show(const std::string& path) {
    // pcmanfm writes the name as it is into its settings, a key a line: a
    // line break in it would start settings of its own.
    if (std::any_of(path.begin(), path.end(),
                    [](unsigned char c) { return c < 0x20 || c == 0x7f; })) {
        return Failed("a control character in the name, which " + program_ +
                      " would write into its settings file as it is");
    }
    // One argument with '=': a path that starts with '-' cannot be taken for
    // an option.
    std::vector<std::string> argv{program_, "--set-wallpaper=" + path};
    if (ShowsOnlyColour()) argv.emplace_back("--wallpaper-mode=stretch");
    switch (RunProgram(argv, std::chrono::milliseconds(3000))) {
        case RunResult::kSucceeded:
            return true;
        case RunResult::kFailed:
            return Failed(program_ + " failed or did not answer in time");
        case RunResult::kNotFound:
            return Failed(program_ + " is not installed");
    }
    return false;
}

// The key's line in the user's settings; without one, the desktop's default
// mode shows the picture.
bool PcmanfmWallpaper::ShowsOnlyColour() const {
    if (!mode_) return false;
    std::ifstream settings(mode_->file);
    const std::string prefix = mode_->key + "=";
    std::string line;
    while (std::getline(settings, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with(prefix)) return line == prefix + mode_->colourOnly;
    }
    return false;
}

}  // namespace plimex::linux_desktop
