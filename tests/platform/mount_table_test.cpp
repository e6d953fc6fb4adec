// The mount table parser over sample texts of /proc/self/mounts, the kind of
// drive each mount is, and which mounts become roots of their own.
#include "platform/mount_table.h"

#include <gtest/gtest.h>

namespace nuvel::platform {
namespace {

TEST(MountTable, ParsesFieldsAndDecodesEscapes) {
  const std::string text =
      "/dev/vda1 / ext4 rw,relatime 0 0\n"
      "proc /proc proc rw,nosuid 0 0\n"
      "/dev/sdb1 /media/dana/My\\040Stick vfat rw,uid=1000 0 0\r\n"
      "server:/export /net/back\\134slash nfs4 rw 0 0\n"
      "\n"
      "broken-line-with-two fields\n"
      "tmpfs\t/run/user/1000\ttmpfs\trw\t0\t0\n"
      "/dev/sr0 /media/cd iso9660";  // no newline at the end, no options
  const auto table = ParseMountTable(text);
  ASSERT_EQ(table.size(), 6u);
  EXPECT_EQ(table[0], (MountEntry{"/dev/vda1", "/", "ext4", "rw,relatime"}));
  EXPECT_EQ(table[2].mountPoint, "/media/dana/My Stick");
  EXPECT_EQ(table[2].options, "rw,uid=1000");
  EXPECT_EQ(table[3].mountPoint, "/net/back\\slash");
  EXPECT_EQ(table[4], (MountEntry{"tmpfs", "/run/user/1000", "tmpfs", "rw"}));
  EXPECT_EQ(table[5], (MountEntry{"/dev/sr0", "/media/cd", "iso9660", ""}));
}

TEST(MountTable, EscapesThatAreNotThreeOctalDigitsStay) {
  const auto table = ParseMountTable("dev /mnt/a\\09b\\04 ext4 rw 0 0\n");
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(table[0].mountPoint, "/mnt/a\\09b\\04");
}

TEST(MountTable, DriveTypes) {
  const struct {
    MountEntry entry;
    DriveType type;
  } cases[] = {
      {{"/dev/vda1", "/", "ext4", ""}, DriveType::Fixed},
      {{"/dev/nvme0n1p2", "/home", "btrfs", ""}, DriveType::Fixed},
      {{"/dev/sdb1", "/media/dana/STICK", "vfat", ""}, DriveType::Removable},
      {{"/dev/sdc1", "/run/media/dana/disk", "exfat", ""}, DriveType::Removable},
      {{"/dev/sdd1", "/mnt/backup", "ext4", ""}, DriveType::Fixed},
      {{"/dev/sr0", "/media/dana/DVD", "udf", ""}, DriveType::CdRom},
      {{"/dev/loop3", "/mnt/iso", "iso9660", ""}, DriveType::CdRom},
      {{"server:/export", "/mnt/nfs", "nfs4", ""}, DriveType::Remote},
      {{"//nas/share", "/media/share", "cifs", ""}, DriveType::Remote},
      {{"dana@host:", "/home/dana/remote", "fuse.sshfs", ""}, DriveType::Remote},
      {{"tmpfs", "/tmp", "tmpfs", ""}, DriveType::RamDisk},
      {{"none", "/weird", "somefs", ""}, DriveType::Unknown},
  };
  for (const auto& c : cases) EXPECT_EQ(DriveTypeOf(c.entry), c.type) << c.entry.mountPoint;
}

TEST(MountTable, UserVolumesLeaveOutSystemMounts) {
  const auto table = ParseMountTable(
      "/dev/vda1 / ext4 rw 0 0\n"
      "/dev/vda2 /home/dana ext4 rw 0 0\n"
      "proc /proc proc rw 0 0\n"
      "sysfs /sys sysfs rw 0 0\n"
      "tmpfs /run tmpfs rw 0 0\n"
      "/dev/vda3 /boot ext4 rw 0 0\n"
      "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw 0 0\n"
      "/dev/sdb1 /media/dana/STICK vfat rw 0 0\n"
      "/dev/sdc1 /run/media/dana/disk exfat rw 0 0\n"
      "/dev/sdd1 /mnt ext4 rw 0 0\n"
      "/dev/sde1 /mnt/old ext4 rw 0 0\n"
      "/dev/sde2 /mnt/old xfs rw 0 0\n"
      "server:/export /srv/share nfs rw 0 0\n"
      "binfmt_misc /mnt/binfmt binfmt_misc rw 0 0\n"
      "/dev/sdf1 /mediax/not-media ext4 rw 0 0\n");
  const auto volumes = UserVolumes(table, "/home/dana");
  std::vector<std::string> points;
  for (const auto& v : volumes) points.push_back(v.mountPoint);
  EXPECT_EQ(points, (std::vector<std::string>{"/media/dana/STICK", "/run/media/dana/disk", "/mnt", "/mnt/old",
                                              "/srv/share"}));
  EXPECT_EQ(volumes[3].fsType, "xfs");  // mounted over: the last mount counts
}

TEST(MountTable, ReadsTheRunningProcessTable) {
  const auto table = ReadMountTable();
  ASSERT_FALSE(table.empty());
  EXPECT_TRUE(std::any_of(table.begin(), table.end(), [](const MountEntry& e) { return e.mountPoint == "/"; }));
  EXPECT_TRUE(ReadMountTable("/no/such/mounts").empty());
}

}  // namespace
}  // namespace nuvel::platform
