#pragma once
// What the program asks the file system about a document's file before it
// opens or saves it: what kind of entry the name leads to (symbolic links
// followed), and a stamp of the file as it was read, to notice a change made
// by another program since.
#include <cstdint>
#include <string>

namespace nuvel::platform {

enum class FileKind : uint8_t {
  Missing,  // nothing of that name (or a link to nothing)
  Regular,  // a regular file: the only kind opened as a document
  Folder,
  Other,    // a device, a pipe, a socket
  Unknown,  // the name cannot be looked at (a folder on the way cannot be searched)
};

FileKind KindOfFile(const std::string& path);

// Size and modification time of a file, symbolic links followed.
struct FileStamp {
  bool exists = false;
  int64_t size = 0;
  int64_t modifiedNs = 0;  // nanoseconds since 1970
  uint64_t device = 0;
  uint64_t inode = 0;
  bool operator==(const FileStamp&) const = default;
};

FileStamp StampOfFile(const std::string& path);

// True when the file now differs from `then` in existence, size or
// modification time. The device and inode are not compared: a program that
// rewrites a file in the usual way (a new file renamed over the old one)
// gives it a new inode, and so does this program's own save.
bool ChangedSince(const FileStamp& then, const FileStamp& now);

// The system's error number that keeps this process from writing `path` (a
// file, or the entries of a folder); 0 when it may. A file system mounted
// read-only counts too.
int WriteAccessError(const std::string& path);

// True when both names lead to the same existing file.
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace nuvel::platform
