#include "filemanager/file_utils.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/path_parts.h"

namespace nuvel {

namespace fs = std::filesystem;
using platform::FolderOf;
using platform::NameOf;

namespace {

const char* FailureWord(FileOpFailure f) {
  switch (f) {
    case FileOpFailure::SameFile: return "a file cannot be copied onto itself";
    case FileOpFailure::TargetExists: return "the target exists";
    case FileOpFailure::CannotOpen: return "cannot open file";
    case FileOpFailure::CannotCreate: return "cannot create file";
    case FileOpFailure::ReadFailed: return "cannot read file";
    case FileOpFailure::WriteFailed: return "cannot write file";
    case FileOpFailure::CannotMove: return "cannot move file";
    case FileOpFailure::CannotRename: return "cannot rename file";
    case FileOpFailure::CannotDelete: return "cannot delete file";
    case FileOpFailure::CannotChange: return "cannot change the attributes of file";
    case FileOpFailure::CannotMakeFolder: return "cannot make folder";
  }
  return "";
}

[[noreturn]] void Fail(FileOpFailure f, const std::string& path, int error) { throw FileOpError(f, path, error); }

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int Close() {
    int r = 0;
    if (fd_ >= 0) r = ::close(fd_);
    fd_ = -1;
    return r;
  }

 private:
  int fd_;
};

bool Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

// Renames without replacing an existing target. File systems without the
// kernel's no-replace rename get a look first.
int RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return -1;
  if (Exists(to)) {
    errno = EEXIST;
    return -1;
  }
  return ::rename(from.c_str(), to.c_str());
}

int Rename(const std::string& from, const std::string& to, bool replace) {
  return replace ? ::rename(from.c_str(), to.c_str()) : RenameNoReplace(from, to);
}

// Writes all of `size` bytes through `writer`, which may write less.
bool WriteAll(const BlockWriter& writer, int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = writer ? writer(fd, data, size) : ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// The kernel's own copy, block after block. False with `fallBack` when this
// pair of files cannot use it (nothing was written yet).
bool KernelCopy(int in, int out, bool& fallBack, FileOpFailure& failure) {
  bool first = true;
  for (;;) {
    const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size_t{1} << 30, 0);
    if (n == 0) return true;
    if (n > 0) {
      first = false;
      continue;
    }
    if (errno == EINTR) continue;
    if (first && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP || errno == EBADF)) {
      fallBack = true;
      return false;
    }
    failure = errno == EIO ? FileOpFailure::ReadFailed : FileOpFailure::WriteFailed;
    return false;
  }
}

// Copies the data of `in` to `out`; false with errno and the failure kind.
bool CopyData(int in, int out, const BlockWriter& writer, FileOpFailure& failure) {
  if (!writer) {
    bool fallBack = false;
    if (KernelCopy(in, out, fallBack, failure)) return true;
    if (!fallBack) return false;
  }
  constexpr size_t kBlock = size_t{1} << 20;
  std::unique_ptr<char[]> buffer(new char[kBlock]);
  for (;;) {
    const ssize_t n = ::read(in, buffer.get(), kBlock);
    if (n < 0) {
      if (errno == EINTR) continue;
      failure = FileOpFailure::ReadFailed;
      return false;
    }
    if (n == 0) return true;
    if (!WriteAll(writer, out, buffer.get(), static_cast<size_t>(n))) {
      failure = FileOpFailure::WriteFailed;
      return false;
    }
  }
}

// A temporary file beside `target`, removed unless kept.
class TempBeside {
 public:
  explicit TempBeside(const std::string& target) {
    path_ = FolderOf(target) + "/." + NameOf(target) + ".nuvel-copy-XXXXXX";
    std::vector<char> name(path_.begin(), path_.end());
    name.push_back('\0');
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ >= 0) path_.assign(name.data());
  }
  ~TempBeside() {
    if (fd_ >= 0) ::close(fd_);
    if (!kept_ && fd_ != -2) ::unlink(path_.c_str());
  }
  TempBeside(const TempBeside&) = delete;
  TempBeside& operator=(const TempBeside&) = delete;
  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  int Close() {
    const int r = ::close(fd_);
    fd_ = -3;
    return r;
  }
  void Keep() { kept_ = true; }
  void Failed() { fd_ = -2; }  // nothing was made

 private:
  std::string path_;
  int fd_ = -1;
  bool kept_ = false;
};

}  // namespace

FileOpError::FileOpError(FileOpFailure f, std::string p, int e)
    : std::runtime_error(std::string(FailureWord(f)) + " " + p + (e ? std::string(": ") + std::strerror(e) : "")),
      failure(f),
      path(std::move(p)),
      error(e) {}

std::string OperationTarget(const std::string& source, const std::string& dest, const std::string& folder) {
  std::string target = dest;
  if (!target.empty() && target[0] != '/' && !folder.empty()) target = folder + (folder.back() == '/' ? "" : "/") + target;
  while (target.size() > 1 && target.back() == '/') target.pop_back();
  struct stat st;
  if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    target += (target == "/" ? "" : "/") + NameOf(source);
  return target;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(fs::path(a), fs::path(b), ec) && !ec;
}

std::string CopyFile(const std::string& source, const std::string& dest, const CopyOptions& options) {
  const std::string target = OperationTarget(source, dest);
  // Only a regular file is copied; a named pipe is refused without waiting for a writer.
  int openError = 0;
  uint64_t size = 0;
  Fd in(platform::OpenRegularFileToRead(source, openError, size));
  if (in.get() < 0) Fail(FileOpFailure::CannotOpen, source, openError);
  struct stat st;
  if (::fstat(in.get(), &st) != 0) Fail(FileOpFailure::CannotOpen, source, errno);
  if (SameFile(source, target)) Fail(FileOpFailure::SameFile, target, 0);
  if (!options.replace && Exists(target)) Fail(FileOpFailure::TargetExists, target, EEXIST);

  TempBeside temp(target);
  if (!temp.ok()) {
    const int e = errno;
    temp.Failed();
    Fail(FileOpFailure::CannotCreate, target, e);
  }
  FileOpFailure failure = FileOpFailure::WriteFailed;
  if (!CopyData(in.get(), temp.fd(), options.writer, failure)) Fail(failure, failure == FileOpFailure::ReadFailed ? source : target, errno);
  ::fchmod(temp.fd(), st.st_mode & 07777);
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
  ::futimens(temp.fd(), times);
  if (temp.Close() != 0) Fail(FileOpFailure::WriteFailed, target, errno);
  if (Rename(temp.path(), target, options.replace) != 0) {
    const int e = errno;
    Fail(e == EEXIST ? FileOpFailure::TargetExists : FileOpFailure::CannotCreate, target, e);
  }
  temp.Keep();
  return target;
}

std::string MoveFile(const std::string& source, const std::string& dest, const CopyOptions& options) {
  const std::string target = OperationTarget(source, dest);
  struct stat st;
  if (::lstat(source.c_str(), &st) != 0) Fail(FileOpFailure::CannotMove, source, errno);
  if (SameFile(source, target)) Fail(FileOpFailure::SameFile, target, 0);
  if (!options.replace && Exists(target)) Fail(FileOpFailure::TargetExists, target, EEXIST);
  if (Rename(source, target, options.replace) == 0) return target;
  const int e = errno;
  if (e == EEXIST) Fail(FileOpFailure::TargetExists, target, e);
  if (e != EXDEV) Fail(FileOpFailure::CannotMove, source, e);
  // Another file system: a whole copy first, then the source goes.
  CopyFile(source, target, options);
  if (::unlink(source.c_str()) != 0) Fail(FileOpFailure::CannotDelete, source, errno);
  return target;
}

void RenameFile(const std::string& from, const std::string& to, bool replace) {
  if (!Exists(from)) Fail(FileOpFailure::CannotRename, from, ENOENT);
  if (SameFile(from, to)) Fail(FileOpFailure::SameFile, to, 0);
  if (Rename(from, to, replace) != 0) {
    const int e = errno;
    Fail(e == EEXIST ? FileOpFailure::TargetExists : FileOpFailure::CannotRename, e == EEXIST ? to : from, e);
  }
}

void DeleteFile(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) Fail(FileOpFailure::CannotDelete, path, EISDIR);
  if (::unlink(path.c_str()) != 0) Fail(FileOpFailure::CannotDelete, path, errno);
}

uint32_t FileAttributes(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) Fail(FileOpFailure::CannotChange, path, errno);
  const std::string name = NameOf(path);
  return ((st.st_mode & 0222) == 0 ? faReadOnly : 0) | (!name.empty() && name[0] == '.' ? faHidden : 0);
}

bool HasAttr(const std::string& path, uint32_t attr) {
  try {
    return (FileAttributes(path) & attr) == attr;
  } catch (const FileOpError&) {
    return false;
  }
}

std::string SetFileAttributes(const std::string& path, uint32_t attributes) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) Fail(FileOpFailure::CannotChange, path, errno);
  const bool readOnly = (attributes & faReadOnly) != 0;
  if (readOnly != ((st.st_mode & 0222) == 0)) {
    const mode_t mode = readOnly ? (st.st_mode & ~mode_t{0222}) : (st.st_mode | S_IWUSR);
    if (::chmod(path.c_str(), mode & 07777) != 0) Fail(FileOpFailure::CannotChange, path, errno);
  }
  const std::string folder = FolderOf(path);
  std::string name = NameOf(path);
  const bool hidden = (attributes & faHidden) != 0;
  if (hidden == (!name.empty() && name[0] == '.')) return path;
  if (hidden) {
    name = "." + name;
  } else {
    while (!name.empty() && name[0] == '.') name.erase(0, 1);
    if (name.empty()) Fail(FileOpFailure::CannotChange, path, EINVAL);
  }
  const std::string renamed = (path.find('/') == std::string::npos ? "" : folder + (folder == "/" ? "" : "/")) + name;
  if (RenameNoReplace(path, renamed) != 0) {
    const int e = errno;
    Fail(e == EEXIST ? FileOpFailure::TargetExists : FileOpFailure::CannotChange, e == EEXIST ? renamed : path, e);
  }
  return renamed;
}

bool MakeFolder(const std::string& path) {
  std::error_code ec;
  fs::create_directories(fs::path(path), ec);
  return fs::is_directory(fs::path(path), ec);
}

}  // namespace nuvel
