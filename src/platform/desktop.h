#pragma once

#include <string>

namespace plimex {

// The desktop's wallpaper, as the user's own setting. SetWallpaper reads the
// picture, which may sit on a slow share: it is called on a thread of its
// own, never two calls at once, and never beside anything else of the
// desktop's.
class Desktop {
  public:
    virtual ~Desktop() = default;
    // Makes the picture at path (in the system's code page) the wallpaper:
    // shown at once, running programs told, and kept as the user's
    // persistent setting. False when the picture could not be shown; the
    // desktop has then said why, and the setting it keeps still names the
    // picture that shows.
    virtual bool SetWallpaper(const std::string& path) = 0;
};

}  // namespace plimex
