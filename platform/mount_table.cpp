#include "platform/mount_table.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace nuvel::platform {

namespace {

// "\040" and the like back to their bytes; any other backslash stays.
std::string DecodeField(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    const auto oct = [](char c) { return c >= '0' && c <= '7'; };
    if (field[i] == '\\' && i + 3 < field.size() && oct(field[i + 1]) && oct(field[i + 2]) &&
        oct(field[i + 3])) {
      const int v = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
      if (v < 256) {
        out.push_back(static_cast<char>(v));
        i += 3;
        continue;
      }
    }
    out.push_back(field[i]);
  }
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool UnderFolder(std::string_view path, std::string_view folder) {
  return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
}

bool OneOf(std::string_view v, std::initializer_list<std::string_view> list) {
  return std::find(list.begin(), list.end(), v) != list.end();
}

}  // namespace

std::vector<MountEntry> ParseMountTable(std::string_view text) {
  std::vector<MountEntry> table;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < line.size() && fields.size() < 4) {
      while (i < line.size() && IsBlank(line[i])) ++i;
      size_t start = i;
      while (i < line.size() && !IsBlank(line[i]) && line[i] != '\r') ++i;
      if (i > start) fields.push_back(line.substr(start, i - start));
      if (i < line.size() && line[i] == '\r') break;
    }
    if (fields.size() < 3) continue;
    MountEntry e;
    e.device = DecodeField(fields[0]);
    e.mountPoint = DecodeField(fields[1]);
    e.fsType = DecodeField(fields[2]);
    if (fields.size() > 3) e.options = DecodeField(fields[3]);
    table.push_back(std::move(e));
  }
  return table;
}

std::vector<MountEntry> ReadMountTable(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return ParseMountTable(text.str());
}

bool IsPseudoFileSystem(std::string_view fs) {
  if (fs.starts_with("fuse.gvfs") || fs == "fuse.portal" || fs == "fuse.lxcfs") return true;
  return OneOf(fs, {"proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "securityfs", "debugfs",
                    "tracefs", "pstore", "bpf", "mqueue", "hugetlbfs", "configfs", "fusectl", "autofs",
                    "binfmt_misc", "efivarfs", "nsfs", "rpc_pipefs", "selinuxfs", "rootfs", "ramfs", "devfs",
                    "usbfs", "nfsd", "sockfs", "pipefs", "overlay", "squashfs"});
}

bool IsNetworkFileSystem(std::string_view fs) {
  if (OneOf(fs, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "coda", "davfs", "9p", "ceph",
                 "glusterfs", "lustre", "gfs2", "ocfs2", "orangefs", "fuse.sshfs", "fuse.rclone", "fuse.s3fs",
                 "fuse.glusterfs", "fuse.davfs", "fuse.curlftpfs"}))
    return true;
  return fs.starts_with("nfs");
}

DriveType DriveTypeOf(const MountEntry& e) {
  if (IsNetworkFileSystem(e.fsType)) return DriveType::Remote;
  if (OneOf(e.fsType, {"iso9660", "udf"}) || e.device.starts_with("/dev/sr") || e.device.starts_with("/dev/cdrom"))
    return DriveType::CdRom;
  if (OneOf(e.fsType, {"tmpfs", "ramfs"})) return DriveType::RamDisk;
  if (UnderFolder(e.mountPoint, "/media") || UnderFolder(e.mountPoint, "/run/media")) return DriveType::Removable;
  if (e.device.starts_with("/dev/") || e.fsType.starts_with("fuse") || OneOf(e.fsType, {"zfs", "btrfs", "ext4", "xfs"}))
    return DriveType::Fixed;
  return DriveType::Unknown;
}

std::vector<MountEntry> UserVolumes(const std::vector<MountEntry>& table, std::string_view home) {
  std::vector<MountEntry> out;
  for (const MountEntry& e : table) {
    if (IsPseudoFileSystem(e.fsType)) continue;
    if (e.mountPoint.empty() || e.mountPoint[0] != '/' || e.mountPoint == "/" || e.mountPoint == home) continue;
    const bool placed = UnderFolder(e.mountPoint, "/media") || UnderFolder(e.mountPoint, "/run/media") ||
                        UnderFolder(e.mountPoint, "/mnt") || e.mountPoint == "/mnt";
    if (!placed && !IsNetworkFileSystem(e.fsType)) continue;
    auto same = std::find_if(out.begin(), out.end(), [&](const MountEntry& o) { return o.mountPoint == e.mountPoint; });
    if (same != out.end()) out.erase(same);
    out.push_back(e);
  }
  return out;
}

}  // namespace nuvel::platform
