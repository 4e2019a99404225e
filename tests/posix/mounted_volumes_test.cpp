#include "posix/mounted_volumes.h"

#include <gtest/gtest.h>

namespace plimex::posix {
namespace {

constexpr std::string_view kTable =
    "overlay / overlay rw,relatime 0 0\n"
    "proc /proc proc rw 0 0\n"
    "sysfs /sys sysfs ro 0 0\n"
    "tmpfs /tmp tmpfs rw 0 0\n"
    "tmpfs /dev/shm tmpfs rw 0 0\n"
    "/dev/sda2 /boot ext4 rw 0 0\n"
    "/dev/sda3 /home ext4 rw 0 0\n"
    "/dev/sda1 /etc/hosts ext4 rw 0 0\n"
    "/dev/sda1 /srv/big\\040disk ext4 rw 0 0\n"
    "/dev/sdb1 /run/media/lea/CLE\\040USB vfat rw 0 0\n"
    "/dev/sdc1 /media/cdrom iso9660 ro 0 0\n"
    "/dev/loop3 /snap/core/123 squashfs ro 0 0\n"
    "server:/export /mnt/share nfs4 rw 0 0\n"
    "/dev/sda3 /home ext4 rw 0 0\n"
    "broken line\n";

TEST(MountedVolumesTest, OffersRootHomeDisksMediaAndSharesButNoSystemMounts) {
    EXPECT_EQ(MountedVolumes(kTable, "/home/lea"),
              (std::vector<std::string>{"/", "/home/", "/home/lea/", "/media/cdrom/", "/mnt/share/",
                                        "/run/media/lea/CLE USB/", "/srv/big disk/"}));
}

TEST(MountedVolumesTest, ThisMachineAlwaysOffersTheRoot) {
    const std::vector<std::string> volumes = MountedVolumesOfThisMachine();
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front(), "/");
    for (const std::string& volume : volumes) {
        EXPECT_EQ(volume.back(), '/') << volume;
        EXPECT_NE(volume.rfind("/proc", 0), 0u) << volume;
        EXPECT_NE(volume.rfind("/sys", 0), 0u) << volume;
    }
}

}  // namespace
}  // namespace plimex::posix
