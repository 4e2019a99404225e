#include "linux_desktop/sway_wallpaper.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "linux_desktop/child_process.h"

namespace plimex::linux_desktop {

namespace {

// As LinuxDesktop names it in its own lines.
constexpr std::string_view kMechanism = "sway wallpaper";

bool IsPlainName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '/' || c == '.' || c == '_' || c == '-';
    });
}

// Replaces the link in one step, so that sway never finds it missing.
std::error_code PointLinkAt(const std::filesystem::path& link, const std::string& target) {
    std::error_code error;
    std::filesystem::create_directories(link.parent_path(), error);
    std::filesystem::path fresh = link;
    fresh += ".new";
    std::filesystem::remove(fresh, error);
    std::filesystem::create_symlink(target, fresh, error);
    if (!error) std::filesystem::rename(fresh, link, error);
    return error;
}

}  // namespace

SwayWallpaper::SwayWallpaper(Route route, std::vector<std::filesystem::path> linkPlaces,
                             Diagnostics& diagnostics)
    : route_(route), linkPlaces_(std::move(linkPlaces)), diagnostics_(diagnostics) {}

// swaymsg joins its arguments into one command line, which sway splits again
// at blanks and runs through wordexp(), command substitution included. A
// picture's name could therefore run commands inside the compositor; sway is
// given a link of ours with a plain name instead. Whatever keeps swaymsg from
// working lasts (the tool is missing, no place for the link has a plain name),
// so swaybg draws from then on.
bool SwayWallpaper::Show(const std::string& path) {
    if (route_ == Route::kSwaymsg) {
        // A relative target would be taken from the link's folder.
        if (path.empty() || path.front() != '/') {
            return Failed("not an absolute path");
        }
        const std::optional<std::filesystem::path> link = LinkTo(path);
        if (link) {
            const RunResult result =
                RunProgram({"swaymsg", "output", "*", "bg", link->string(), "stretch"},
                           std::chrono::milliseconds(3000));
            if (result == RunResult::kSucceeded) return true;
            if (result == RunResult::kFailed) {
                return Failed("swaymsg failed or did not answer in time");
            }
            diagnostics_.ReportFailure(kMechanism, path,
                                       "swaymsg is not installed; swaybg draws instead");
        }
        route_ = Route::kSwaybg;
    }
    return ShowThroughSwaybg(path);
}

// The first place with a plain name, pointed at the picture.
std::optional<std::filesystem::path> SwayWallpaper::LinkTo(const std::string& path) const {
    for (const std::filesystem::path& place : linkPlaces_) {
        if (!place.is_absolute() || !IsPlainName(place.string())) continue;
        if (const std::error_code error = PointLinkAt(place, path)) {
            diagnostics_.ReportFailure(
                kMechanism, path,
                "cannot make the link " + place.string() + ": " + error.message());
            continue;
        }
        return place;
    }
    diagnostics_.ReportFailure(
        kMechanism, path,
        "no place for swaymsg's link has a name sway would take as it is; swaybg "
        "draws instead");
    return std::nullopt;
}

bool SwayWallpaper::ShowThroughSwaybg(const std::string& path) {
    const std::optional<pid_t> started = StartDetached({"swaybg", "-m", "stretch", "-i", path});
    if (!started) {
        return Failed("swaybg could not be started");
    }
    // One that cannot draw (no compositor to connect to, a picture it cannot
    // read) ends at once; meanwhile the one before keeps drawing.
    if (!StillRunsAfter(*started, std::chrono::milliseconds(500))) {
        return Failed("swaybg ended at once; the wallpaper before stays");
    }
    // The new one draws over the old one, which is then no longer needed.
    if (swaybg_) StopDetached(*swaybg_);
    swaybg_ = started;
    return true;
}

}  // namespace plimex::linux_desktop
