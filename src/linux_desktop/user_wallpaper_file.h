#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace plimex::linux_desktop {

// Where a desktop keeps no wallpaper setting of its own, the user's wallpaper
// path is kept in a file of ours: $XDG_CONFIG_HOME/plimex/wallpaper, by
// default ~/.config/plimex/wallpaper. The file holds the path's bytes and
// nothing else, so that any file name, a line break in it included, reads
// back whole.

// This program's per-user configuration folder. Empty when neither
// XDG_CONFIG_HOME nor HOME names an absolute folder.
std::filesystem::path UserConfigFolder();

// This program's folder in the session's runtime folder ($XDG_RUNTIME_DIR,
// typically /run/user/UID), which lasts as long as the login. Empty when
// XDG_RUNTIME_DIR names no absolute folder.
std::filesystem::path UserRuntimeFolder();

// The path the file holds; nothing when there is no such file.
std::optional<std::string> ReadUserWallpaperFile(const std::filesystem::path& file);

// Replaces the file in one step, so that a crash or a full disk leaves either
// the old path or the new one, never a part of it.
bool WriteUserWallpaperFile(const std::filesystem::path& file, const std::string& path);

}  // namespace plimex::linux_desktop
