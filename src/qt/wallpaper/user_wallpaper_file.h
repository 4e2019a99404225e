#pragma once

#include <filesystem>
#include <string>

namespace plimex {

// Where a desktop keeps no wallpaper setting of its own, the user's wallpaper
// path is kept in a file of ours: $XDG_CONFIG_HOME/plimex/wallpaper, by
// default ~/.config/plimex/wallpaper. The file holds the path's bytes and
// nothing else, so that any file name, a line break in it included, reads
// back whole.

// This program's per-user configuration folder. Empty when neither
// XDG_CONFIG_HOME nor HOME names an absolute folder.
std::filesystem::path UserConfigFolder();

// Replaces the file in one step, so that a crash or a full disk leaves either
// the old path or the new one, never a part of it.
bool WriteUserWallpaperFile(const std::filesystem::path& file, const std::string& path);

}  // namespace plimex
