#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plimex::posix {

// The places a user would pick a folder from, each ending in '/': the root,
// the home folder, and the mounted disks, removable media and network shares
// found in a mount table in the format of /proc/self/mounts. System and
// virtual mounts (/proc, /sys, tmpfs, /boot, ...) are left out. Nothing is
// touched: a network share that stopped answering would hold the caller in
// the kernel at the first look.
std::vector<std::string> MountedVolumes(std::string_view mountTable, const std::string& home);

// The volumes of this machine.
std::vector<std::string> MountedVolumesOfThisMachine();

}  // namespace plimex::posix
