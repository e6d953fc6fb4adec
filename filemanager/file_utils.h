#pragma once
// The file manager's file operations on real names (case kept, never the
// caption shown): copy, move, rename, delete, attributes and new folders.
// Sound rules every operation keeps:
// - a file is never copied, moved or renamed onto itself (the same file by
//   device and inode, whatever the names say);
// - an existing target is never replaced unless the caller says so (after
//   asking): rename(2) alone would replace it silently;
// - a copy checks every read and write, goes on until the end of the file,
//   and is put together in a temporary file beside the target that takes
//   the target's name only when whole; on any error nothing is left behind;
// - a move across file systems deletes its source only after a whole copy.
// Failures are thrown as FileOpError, never shown here.
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "filemanager/file_entry.h"

namespace nuvel {

enum class FileOpFailure : uint8_t {
  SameFile,      // source and target are one file
  TargetExists,  // the target exists and may not be replaced
  CannotOpen,    // the source cannot be opened or is not a regular file
  CannotCreate,  // the target (or its temporary file) cannot be made
  ReadFailed,
  WriteFailed,
  CannotMove,
  CannotRename,
  CannotDelete,
  CannotChange,  // attributes
  CannotMakeFolder,
};

class FileOpError : public std::runtime_error {
 public:
  FileOpError(FileOpFailure failure, std::string path, int error);
  FileOpFailure failure;
  std::string path;  // the file the failure is about
  int error;         // the system's error number, 0 when none
};

// Writes up to `size` bytes to `fd`; returns the count written, or -1 with
// errno set. The copy calls it for every block, so tests can make a disk
// that fills up or fails.
using BlockWriter = std::function<ssize_t(int fd, const void* data, size_t size)>;

struct CopyOptions {
  bool replace = false;  // an existing target may be replaced (the user agreed)
  BlockWriter writer;    // empty: the system's write, with the kernel's copy where it can
};

// Where a copy or move of `source` to `dest` lands: inside `dest` under the
// source's name when `dest` is an existing folder, else `dest`. A relative
// `dest` is taken from `folder`.
std::string OperationTarget(const std::string& source, const std::string& dest, const std::string& folder = {});

// True when both names lead to one existing file.
bool SameFile(const std::string& a, const std::string& b);

// Copies the regular file `source` to `dest` (see OperationTarget), with its
// permissions and modification time; returns the target's path.
std::string CopyFile(const std::string& source, const std::string& dest, const CopyOptions& options = {});

// Moves `source` to `dest` (see OperationTarget) by renaming it, or across
// file systems by a whole copy and then deleting the source; returns the
// target's path.
std::string MoveFile(const std::string& source, const std::string& dest, const CopyOptions& options = {});

// Renames `from` to `to` in place; `replace` lets an existing `to` go.
void RenameFile(const std::string& from, const std::string& to, bool replace = false);

// Deletes a file (never a folder).
void DeleteFile(const std::string& path);

// The attributes of a file (links followed): faReadOnly when it has no
// write bit, faHidden when its name starts with a dot. Throws when it
// cannot be looked at.
uint32_t FileAttributes(const std::string& path);

// True when every bit of `attr` is set; false also for a missing file.
bool HasAttr(const std::string& path, uint32_t attr);

// Gives the file the read-only and hidden attributes of `attributes`
// (other bits ignored): read-only takes the write bits away and gives the
// owner's back; hidden renames the file with or without its leading dot,
// never over another file. Returns the file's path afterwards.
std::string SetFileAttributes(const std::string& path, uint32_t attributes);

// Makes the folder and its missing parents; true when it exists afterwards.
bool MakeFolder(const std::string& path);

}  // namespace nuvel
