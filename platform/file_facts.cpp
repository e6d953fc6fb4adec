#include "platform/file_facts.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace nuvel::platform {

FileKind KindOfFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT || errno == ENOTDIR ? FileKind::Missing : FileKind::Unknown;
  if (S_ISREG(st.st_mode)) return FileKind::Regular;
  if (S_ISDIR(st.st_mode)) return FileKind::Folder;
  return FileKind::Other;
}

int WriteAccessError(const std::string& path) { return ::access(path.c_str(), W_OK) == 0 ? 0 : errno; }

FileStamp StampOfFile(const std::string& path) {
  FileStamp stamp;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return stamp;
  stamp.exists = true;
  stamp.size = static_cast<int64_t>(st.st_size);
  stamp.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  stamp.device = static_cast<uint64_t>(st.st_dev);
  stamp.inode = static_cast<uint64_t>(st.st_ino);
  return stamp;
}

bool ChangedSince(const FileStamp& then, const FileStamp& now) {
  if (then.exists != now.exists) return true;
  if (!then.exists) return false;
  return then.size != now.size || then.modifiedNs != now.modifiedNs;
}

bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat sa {};
  struct stat sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace nuvel::platform
