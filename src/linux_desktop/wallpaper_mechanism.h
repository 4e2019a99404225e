#pragma once

#include <string>
#include <utility>

namespace plimex::linux_desktop {

// One desktop's way of showing a picture file as the wallpaper. Paths are the
// file name's raw bytes, exactly as the file system knows them.
class WallpaperMechanism {
  public:
    virtual ~WallpaperMechanism() = default;

    // Shows the file as the wallpaper now; false when the desktop refused it or
    // could not be reached. Never blocks for more than a few seconds.
    virtual bool Show(const std::string& path) = 0;

    // True when showing also stores the desktop's own per-user setting, so
    // that the wallpaper comes back at the next login without our help.
    virtual bool KeepsUserSetting() const = 0;

    // True when Show decodes the file with the program's own decoder and
    // refuses what it cannot decode. A desktop given a path decodes the file
    // itself, its own way: a file we cannot decode is refused before it.
    virtual bool DecodesFile() const { return false; }

    // Why the last Show failed, in a few words; empty when it did not say.
    const std::string& failure() const { return failure_; }

  protected:
    bool Failed(std::string reason) {
        failure_ = std::move(reason);
        return false;
    }

  private:
    std::string failure_;
};

}  // namespace plimex::linux_desktop
