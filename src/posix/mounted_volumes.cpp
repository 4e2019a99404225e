#include "posix/mounted_volumes.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <span>
#include <sstream>

#include "posix/user_folders.h"

namespace plimex::posix {
namespace {

constexpr std::array kSystemPlaces{"/boot/", "/dev/", "/etc/", "/proc/", "/run/",
                                   "/snap/", "/sys/", "/usr/", "/var/"};
constexpr std::array kRemovableMediaPlaces{"/run/media/"};
constexpr std::array kNetworkFileSystems{"nfs", "nfs4", "cifs", "smb3", "fuse.sshfs"};

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path;
}

bool IsUnderAny(std::string_view place, std::span<const char* const> roots) {
    return std::any_of(roots.begin(), roots.end(),
                       [&](const char* root) { return place.starts_with(root); });
}

// The table writes blanks and a few other bytes as three octal digits.
std::string Unescaped(std::string_view field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string_view digits = field.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(),
                            [](char c) { return c >= '0' && c <= '7'; })) {
                text += static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 +
                                          (digits[2] - '0'));
                i += 3;
                continue;
            }
        }
        text += field[i];
    }
    return text;
}

bool IsUserVolume(std::string_view device, std::string_view type, const std::string& place) {
    if (IsUnderAny(place, kSystemPlaces) && !IsUnderAny(place, kRemovableMediaPlaces)) {
        return false;
    }
    const bool network = std::find(kNetworkFileSystems.begin(), kNetworkFileSystems.end(), type) !=
                         kNetworkFileSystems.end();
    const bool disk = device.starts_with("/dev/") && !device.starts_with("/dev/loop");
    return network || disk;
}

}  // namespace

std::vector<std::string> MountedVolumes(std::string_view mountTable, const std::string& home) {
    std::vector<std::string> volumes{"/"};
    if (!home.empty()) {
        volumes.push_back(WithSlash(home));
    }
    std::istringstream lines{std::string(mountTable)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, place, type;
        if (!(fields >> device >> place >> type)) {
            continue;
        }
        const std::string volume = WithSlash(Unescaped(place));
        if (IsUserVolume(device, type, volume) &&
            std::find(volumes.begin(), volumes.end(), volume) == volumes.end()) {
            volumes.push_back(volume);
        }
    }
    std::sort(volumes.begin() + 1, volumes.end());
    return volumes;
}

std::vector<std::string> MountedVolumesOfThisMachine() {
    // The table's size is not known before it is read: it reads as empty.
    std::ifstream table("/proc/self/mounts");
    std::ostringstream contents;
    contents << table.rdbuf();
    return MountedVolumes(contents.str(), HomeFolder());
}

}  // namespace plimex::posix
