#include "platform/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/path_parts.h"
#include "platform/unfinished_save.h"

namespace nuvel::platform {

namespace {

// Bytes that may still be written before "disk full"; negative: no limit.
std::atomic<int64_t> gSpaceLeft{-1};
// Bytes that may still be written before the process is killed; negative: no kill.
std::atomic<int64_t> gKillLeft{-1};

// Writes all of `data` at the descriptor's position (or at `offset` when
// not negative). False with errno set when any of it failed. Under the
// tests' space limit, bytes written below `freeBelow` (space the file holds
// already) take no new room.
bool WriteAll(int fd, const char* data, size_t size, int64_t offset = -1, int64_t freeBelow = 0) {
  while (size > 0) {
    size_t chunk = size;
    int64_t cost = 0;
    const int64_t left = gSpaceLeft.load();
    if (left >= 0) {
      const int64_t free = offset >= 0 ? std::max<int64_t>(0, freeBelow - offset) : 0;
      const int64_t room = free + left;
      if (room == 0) {
        errno = ENOSPC;
        return false;
      }
      chunk = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(chunk), room));
      cost = std::max<int64_t>(0, static_cast<int64_t>(chunk) - free);
    }
    const int64_t killLeft = gKillLeft.load();
    if (killLeft >= 0) {
      if (killLeft == 0) ::raise(SIGKILL);
      chunk = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(chunk), killLeft));
    }
    const ssize_t n = offset >= 0 ? ::pwrite(fd, data, chunk, offset) : ::write(fd, data, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (left >= 0) gSpaceLeft.fetch_sub(std::min<int64_t>(cost, n));
    if (killLeft >= 0) gKillLeft.fetch_sub(n);
    data += n;
    size -= static_cast<size_t>(n);
    if (offset >= 0) offset += n;
  }
  return true;
}

// Copies the whole content of `from` (from its start) to `to` at offset 0;
// `to` holds room for `toSize` bytes already.
bool CopyContent(int from, int to, int64_t toSize = 0) {
  std::vector<char> buffer(1 << 20);
  int64_t at = 0;
  for (;;) {
    const ssize_t n = ::pread(from, buffer.data(), buffer.size(), at);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    if (!WriteAll(to, buffer.data(), static_cast<size_t>(n), at, toSize)) return false;
    at += n;
  }
}

FileStamp StampOfDescriptor(int fd) {
  FileStamp stamp;
  struct stat st {};
  if (::fstat(fd, &st) != 0) return stamp;
  stamp.exists = true;
  stamp.size = static_cast<int64_t>(st.st_size);
  stamp.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  stamp.device = static_cast<uint64_t>(st.st_dev);
  stamp.inode = static_cast<uint64_t>(st.st_ino);
  return stamp;
}

// Puts a copy of `source`'s content (`mode` its permissions) at `backup`
// atomically: a hard link when `mayLink`, else a synced copy, made under a
// temporary name and renamed into place. On failure nothing of it is left
// and errno says why.
bool MakeBackup(const std::string& source, mode_t mode, const std::string& backup, bool mayLink) {
  const std::string folder = FolderOf(backup);
  const std::string name = NameOf(backup);
  RemoveLeftovers(folder, name, {});
  std::string temp;
  int saved = 0;
  if (mayLink) {
    // A free name first, then the link in its place.
    const int fd = CreateTemporaryFile(folder, name, 0600, temp);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(temp.c_str());
    if (::link(source.c_str(), temp.c_str()) == 0) {
      if (::rename(temp.c_str(), backup.c_str()) == 0) {
        SyncFolder(folder);
        return true;
      }
      saved = errno;
      ::unlink(temp.c_str());
      errno = saved;
      return false;
    }
    // No link here (another file system, a file of another owner): a copy.
  }
  const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  const int out = CreateTemporaryFile(folder, name, 0600, temp);
  if (out < 0) {
    saved = errno;
    ::close(in);
    errno = saved;
    return false;
  }
  bool ok = CopyContent(in, out) && ::fsync(out) == 0;
  if (ok) ::fchmod(out, mode & 07777);
  if (!ok) saved = errno;
  ::close(in);
  if (::close(out) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && ::rename(temp.c_str(), backup.c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    errno = saved;
    return false;
  }
  SyncFolder(folder);
  return true;
}

// Copies the content of `source` to a new temporary file for it in
// `folder`, synced with its folder entry; its path goes to `copy`. On
// failure nothing of it is left and errno says why.
bool MakeSafetyCopy(const std::string& source, const std::string& folder, std::string& copy) {
  const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  const int out = CreateTemporaryFile(folder, NameOf(source), 0600, copy);
  int saved = errno;
  bool ok = out >= 0 && CopyContent(in, out) && ::fsync(out) == 0;
  if (!ok) saved = errno;
  ::close(in);
  if (out >= 0 && ::close(out) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    if (out >= 0) ::unlink(copy.c_str());
    errno = saved;
    return false;
  }
  SyncFolder(folder);
  return true;
}

// The old file a rename replaces, held open across the rename when it is
// large: the system gives its blocks back when its last name and descriptor
// go, which for a file of some hundred megabytes takes a tenth of a second
// or more. Holding it moves that work to the closing of the descriptor, done
// on a thread of its own, so that a save ends when the new content is safe.
class OldFileRelease {
 public:
  OldFileRelease(const std::string& path, off_t size) {
    constexpr off_t kLarge = off_t{16} << 20;
    if (size >= kLarge) fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
  }
  ~OldFileRelease() {
    if (fd_ < 0) return;
    const int fd = fd_;
    try {
      std::thread([fd] { ::close(fd); }).detach();
    } catch (const std::system_error&) {
      ::close(fd);
    }
  }
  OldFileRelease(const OldFileRelease&) = delete;
  OldFileRelease& operator=(const OldFileRelease&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace

struct AtomicFileWriter::State {
  int fd = -1;
  std::string tempPath;
  bool oldExists = false;
  struct stat old {};
  int writeError = 0;
  // Bytes written, and how many of them the disk was asked to take: a long
  // write starts the disk on what it has written as it goes, so that the
  // sync at the end waits for little more than the last part.
  int64_t written = 0;
  int64_t flushing = 0;
  static constexpr int64_t kFlushStep = int64_t{8} << 20;

  static ssize_t Write(void* cookie, const char* data, size_t size) {
    auto* s = static_cast<State*>(cookie);
    if (!WriteAll(s->fd, data, size)) {
      s->writeError = errno;
      return 0;
    }
    s->written += static_cast<int64_t>(size);
    if (s->written - s->flushing >= kFlushStep) {
      // Only a request: it does not wait, and the sync still decides.
      ::sync_file_range(s->fd, s->flushing, s->written - s->flushing, SYNC_FILE_RANGE_WRITE);
      s->flushing = s->written;
    }
    return static_cast<ssize_t>(size);
  }
  static int Seek(void* cookie, off64_t* offset, int whence) {
    auto* s = static_cast<State*>(cookie);
    const off64_t at = ::lseek64(s->fd, *offset, whence);
    if (at < 0) return -1;
    *offset = at;
    return 0;
  }
};

AtomicFileWriter::AtomicFileWriter(const std::string& path, AtomicWriteOptions options)
    : options_(std::move(options)), state_(std::make_unique<State>()) {
  result_.target = FollowLinks(path);
  const std::string& target = result_.target;
  const std::string folder = FolderOf(target);
  const std::string name = NameOf(target);
  if (options_.createFolders) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
  }
  if (::stat(target.c_str(), &state_->old) == 0) {
    state_->oldExists = true;
    if (!S_ISREG(state_->old.st_mode)) {
      Fail(WriteFailure::NotRegular, S_ISDIR(state_->old.st_mode) ? EISDIR : ENODEV);
      return;
    }
    // No write permission for anyone is a read-only file, for the superuser too.
    if ((state_->old.st_mode & 0222) == 0) {
      Fail(WriteFailure::ReadOnlyFile, EACCES);
      return;
    }
    if (::access(target.c_str(), W_OK) != 0) {
      Fail(WriteFailure::ReadOnlyFile, errno);
      return;
    }
    result_.inPlace = state_->old.st_nlink > 1;
  } else if (errno != ENOENT) {
    Fail(WriteFailure::Create, errno);
    return;
  }
  if (options_.markerFolder.empty()) options_.markerFolder = UnfinishedSaveFolder();
  const FileIds held = HeldCopies(options_.markerFolder);
  RemoveLeftovers(folder, name, held);
  // A temporary file for an old file starts private and takes the old
  // permissions at the end; one for a new file gets the usual ones.
  const mode_t mode = state_->oldExists ? 0600 : 0666;
  state_->fd = CreateTemporaryFile(folder, name, mode, state_->tempPath);
  if (state_->fd < 0) {
    const int error = errno;
    const bool folderLocked = error == EACCES || error == EPERM;
    if (!(state_->oldExists && folderLocked)) {
      Fail(WriteFailure::Create, error);
      return;
    }
    // The folder cannot be written but the file can: the new content is put
    // together elsewhere and then written into the file.
    const std::string spare = options_.spareFolder.empty() ? SystemTempFolder() : options_.spareFolder;
    result_.inPlace = true;
    RemoveLeftovers(spare, name, held);
    state_->fd = CreateTemporaryFile(spare, name, 0600, state_->tempPath);
    if (state_->fd < 0) {
      Fail(WriteFailure::Create, error);
      return;
    }
  }
  cookie_io_functions_t io{};
  io.write = &State::Write;
  io.seek = &State::Seek;
  stream_ = ::fopencookie(state_.get(), "w+", io);
  if (stream_ == nullptr) {
    Fail(WriteFailure::Create, errno);
    return;
  }
  std::setvbuf(stream_, nullptr, _IOFBF, 1 << 16);
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Discard() {
  if (stream_ != nullptr) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
  if (state_->fd >= 0) {
    ::close(state_->fd);
    state_->fd = -1;
  }
  if (!state_->tempPath.empty()) {
    ::unlink(state_->tempPath.c_str());
    state_->tempPath.clear();
  }
}

AtomicWriteResult AtomicFileWriter::Fail(WriteFailure failure, int error) {
  result_.failure = failure;
  result_.error = error;
  if (failure == WriteFailure::Backup) result_.backup = BackupOutcome::Failed;
  Discard();
  return result_;
}

AtomicWriteResult AtomicFileWriter::Commit() {
  if (stream_ == nullptr) return result_;
  State& s = *state_;
  if (std::fflush(stream_) != 0 || s.writeError != 0) return Fail(WriteFailure::Write, s.writeError ? s.writeError : EIO);
  // The stream's buffer is empty now; the descriptor stays open for the rest.
  std::fclose(stream_);
  stream_ = nullptr;
  if (s.writeError != 0) return Fail(WriteFailure::Write, s.writeError);
  if (::fsync(s.fd) != 0) return Fail(WriteFailure::Write, errno);
  const std::string& target = result_.target;

  if (s.oldExists && !result_.inPlace) {
    struct stat mine {};
    ::fstat(s.fd, &mine);
    if (mine.st_uid != s.old.st_uid || mine.st_gid != s.old.st_gid) {
      // A new file can carry the old owner only where the system lets this
      // process give it; otherwise the old file is written in place.
      if (::fchown(s.fd, s.old.st_uid, s.old.st_gid) != 0) result_.inPlace = true;
    }
    // After the owner: a change of owner clears the set-id bits.
    if (!result_.inPlace) ::fchmod(s.fd, s.old.st_mode & 07777);
  }
  if (result_.inPlace) {
    if (!CommitInPlace()) return result_;
    Discard();
    return result_;
  }

  if (!options_.backupPath.empty()) {
    if (!s.oldExists) {
      result_.backup = BackupOutcome::NoOldFile;
    } else if (MakeBackup(target, s.old.st_mode, options_.backupPath, /*mayLink=*/true)) {
      result_.backup = BackupOutcome::Made;
    } else {
      return Fail(WriteFailure::Backup, errno);
    }
  }
  result_.written = StampOfDescriptor(s.fd);
  const OldFileRelease release(target, s.oldExists ? s.old.st_size : 0);
  if (::rename(s.tempPath.c_str(), target.c_str()) != 0) return Fail(WriteFailure::Replace, errno);
  s.tempPath.clear();
  SyncFolder(FolderOf(target));
  Discard();
  return result_;
}

bool AtomicFileWriter::CommitInPlace() {
  State& s = *state_;
  const std::string& target = result_.target;
  // The old content is kept aside first: as the backup copy when one is
  // asked for, else in a safety copy beside the temporary file, removed once
  // the write succeeded. Either is synced before the marker names it.
  std::string safety;
  bool safetyIsBackup = false;
  if (!options_.backupPath.empty()) {
    if (!MakeBackup(target, s.old.st_mode, options_.backupPath, /*mayLink=*/false)) {
      Fail(WriteFailure::Backup, errno);
      return false;
    }
    result_.backup = BackupOutcome::Made;
    safety = options_.backupPath;
    safetyIsBackup = true;
  } else if (!MakeSafetyCopy(target, FolderOf(s.tempPath), safety)) {
    const int error = errno;
    Fail(WriteFailure::Backup, error);
    result_.backup = BackupOutcome::NotAsked;
    return false;
  }
  // From here until the file holds the new content whole, the marker tells
  // a later run where the old content is, and keeps that copy from the sweep.
  const std::string marker =
      options_.markInPlace ? WriteUnfinishedSaveMarker(options_.markerFolder, target, safety, safetyIsBackup) : "";
  const auto release = [&] {
    RemoveUnfinishedSaveMarker(marker);
    if (!safetyIsBackup) ::unlink(safety.c_str());
  };
  if (options_.markInPlace && marker.empty()) {
    const int error = errno;
    release();
    Fail(WriteFailure::Create, error);
    return false;
  }

  const int out = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (out < 0) {
    const int error = errno;
    release();
    Fail(WriteFailure::Replace, error);
    return false;
  }
  struct stat temp {};
  ::fstat(s.fd, &temp);
  // Room for the whole new content before a byte of the old is touched.
  if (::fallocate(out, FALLOC_FL_KEEP_SIZE, 0, temp.st_size) != 0 && (errno == ENOSPC || errno == EDQUOT)) {
    const int error = errno;
    ::close(out);
    release();
    Fail(WriteFailure::Replace, error);
    return false;
  }
  if (CopyContent(s.fd, out, s.old.st_size) && ::ftruncate(out, temp.st_size) == 0 && ::fsync(out) == 0) {
    result_.written = StampOfDescriptor(out);
    ::close(out);
    release();
    return true;
  }
  const int error = errno;
  // The old content goes back from its copy; the copy and its marker stay
  // when even that fails, so that the next opening offers it.
  const int in = ::open(safety.c_str(), O_RDONLY | O_CLOEXEC);
  const bool restored =
      in >= 0 && CopyContent(in, out, s.old.st_size) && ::ftruncate(out, s.old.st_size) == 0 && ::fsync(out) == 0;
  if (in >= 0) ::close(in);
  ::close(out);
  if (restored) {
    release();
  } else {
    result_.keptCopy = safety;
  }
  const BackupOutcome backup = result_.backup;
  Fail(WriteFailure::Replace, error);
  result_.backup = backup;
  return false;
}

AtomicWriteResult ReplaceFileContents(const std::string& path, std::string_view bytes,
                                      const AtomicWriteOptions& options) {
  AtomicFileWriter writer(path, options);
  if (!writer.Ready()) return writer.Result();
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), writer.Stream());
  return writer.Commit();
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  AtomicWriteOptions options;
  options.createFolders = true;
  return ReplaceFileContents(path.string(), bytes, options).Ok();
}

int OpenRegularFileToRead(const std::filesystem::path& path, int& error, uint64_t& size) {
  error = 0;
  size = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? EISDIR : ENODEV;  // a device, a pipe: not a file to read
    ::close(fd);
    return -1;
  }
  size = static_cast<uint64_t>(st.st_size);
  return fd;
}

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, int& error) {
  uint64_t size = 0;
  const int fd = OpenRegularFileToRead(path, error, size);
  if (fd < 0) return false;
  bytes.clear();
  try {
    bytes.reserve(static_cast<size_t>(size));
    char buffer[1 << 16];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        error = errno;
        break;
      }
      if (n == 0) break;
      bytes.append(buffer, static_cast<size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    error = ENOMEM;
  }
  ::close(fd);
  return error == 0;
}

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes) {
  int error = 0;
  return ReadFileBytes(path, bytes, error);
}

std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 256) + 1, '\0');
    const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n < 0) return current;
    target.resize(static_cast<size_t>(n));
    current = !target.empty() && target[0] == '/' ? target : JoinPath(FolderOf(current), target);
  }
  return current;  // a loop: opening it says so
}

void SetWriteSpaceLimitForTests(int64_t bytes) { gSpaceLeft.store(bytes < 0 ? -1 : bytes); }

void SetWriteKillForTests(int64_t bytes) { gKillLeft.store(bytes < 0 ? -1 : bytes); }

}  // namespace nuvel::platform
