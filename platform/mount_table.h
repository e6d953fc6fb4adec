#pragma once
// The mounted file systems as the kernel lists them (/proc/self/mounts, one
// "device mount-point type options dump pass" line each, blanks and other
// bytes in names written as backslash and three octal digits), what kind of
// drive each one is, and which of them a person browses as a volume of
// their own: removable media, mounts under /mnt and network shares.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel::platform {

struct MountEntry {
  std::string device;
  std::string mountPoint;  // decoded: "\040" is a blank again
  std::string fsType;
  std::string options;
  bool operator==(const MountEntry&) const = default;
};

// Every well-formed line of `text`, in order; lines with fewer than three
// fields are skipped.
std::vector<MountEntry> ParseMountTable(std::string_view text);

// The table of the running process; empty when it cannot be read.
std::vector<MountEntry> ReadMountTable(const std::string& path = "/proc/self/mounts");

enum class DriveType : uint8_t { Unknown, Fixed, Removable, Remote, CdRom, RamDisk };

// Kernel and service file systems that hold no user files (proc, sysfs,
// cgroup, ...).
bool IsPseudoFileSystem(std::string_view fsType);
// File systems reached over the network (nfs, cifs, sshfs, ...).
bool IsNetworkFileSystem(std::string_view fsType);

// The kind of drive a mount is: network shares are remote, optical file
// systems and optical devices CD-ROM, memory file systems RAM disks, media
// mounted for the user (under /media or /run/media) removable, other
// device-backed file systems fixed.
DriveType DriveTypeOf(const MountEntry& entry);

// The mounts shown as roots of their own beside "/" and the home folder:
// those under /media, /run/media and /mnt, and network shares anywhere;
// pseudo file systems, "/" itself and `home` are left out, and a mount point
// mounted over again counts once, as its last mount.
std::vector<MountEntry> UserVolumes(const std::vector<MountEntry>& table, std::string_view home);

}  // namespace nuvel::platform
