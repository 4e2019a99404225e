#include "wallpaper/sway_wallpaper.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "wallpaper/child_process.h"

namespace plimex {

namespace {

bool IsPlainName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '/' || c == '.' || c == '_' || c == '-';
    });
}

// Replaces the link in one step, so that sway never finds it missing.
bool PointLinkAt(const std::filesystem::path& link, const std::string& target) {
    std::error_code error;
    std::filesystem::create_directories(link.parent_path(), error);
    std::filesystem::path fresh = link;
    fresh += ".new";
    std::filesystem::remove(fresh, error);
    std::filesystem::create_symlink(target, fresh, error);
    if (error) return false;
    std::filesystem::rename(fresh, link, error);
    return !error;
}

}  // namespace

SwayWallpaper::SwayWallpaper(Route route, std::filesystem::path link)
    : route_(route), link_(std::move(link)) {}

bool SwayWallpaper::Show(const std::string& path) {
    if (route_ == Route::kSwaymsg) {
        const RunResult result = ShowThroughSwaymsg(path);
        if (result != RunResult::kNotFound) return result == RunResult::kSucceeded;
        // swaymsg is not installed: swaybg from now on.
        route_ = Route::kSwaybg;
    }
    return ShowThroughSwaybg(path);
}

// swaymsg joins its arguments into one command line, which sway splits again
// at blanks and runs through wordexp(), command substitution included. A
// picture's name could therefore run commands inside the compositor; sway is
// given a link of ours with a plain name instead.
RunResult SwayWallpaper::ShowThroughSwaymsg(const std::string& path) {
    if (path.empty() || path.front() != '/' || !link_.is_absolute() ||
        !IsPlainName(link_.string()) || !PointLinkAt(link_, path)) {
        return RunResult::kFailed;
    }
    return RunProgram({"swaymsg", "output", "*", "bg", link_.string(), "stretch"},
                      std::chrono::milliseconds(3000));
}

bool SwayWallpaper::ShowThroughSwaybg(const std::string& path) {
    const std::optional<pid_t> started = StartDetached({"swaybg", "-m", "stretch", "-i", path});
    if (!started) return false;
    // The new one draws over the old one, which is then no longer needed.
    if (swaybg_) StopDetached(*swaybg_);
    swaybg_ = started;
    return true;
}

}  // namespace plimex
