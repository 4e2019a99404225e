#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plimex::qt {

// The places a user would pick a folder from, each ending in '/': the root,
// the home folder, and the mounted disks, removable media and network shares
// found in a mount table in the format of /proc/self/mounts. System and
// virtual mounts (/proc, /sys, tmpfs, /boot, ...) and mount points that are
// not folders (bind-mounted files) are left out.
std::vector<std::string> MountedVolumes(std::string_view mountTable, const std::string& home,
                                        const std::function<bool(const std::string&)>& isFolder);

// The volumes of this machine.
std::vector<std::string> MountedVolumesOfThisMachine();

}  // namespace plimex::qt
