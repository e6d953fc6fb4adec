#include "platform/temporary_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>

#include "platform/path_parts.h"

namespace nuvel::platform {

namespace {

constexpr std::string_view kMark = ".nuvel-";
constexpr std::string_view kEnd = ".tmp";

// The process number of "<digits>-<one or more characters>.tmp"; 0 when
// `rest` is not of that form.
long OwnerOfTail(std::string_view rest) {
  if (rest.size() <= kEnd.size() || rest.substr(rest.size() - kEnd.size()) != kEnd) return 0;
  rest.remove_suffix(kEnd.size());
  const size_t dash = rest.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash > 9 || dash + 1 == rest.size()) return 0;
  long pid = 0;
  for (char c : rest.substr(0, dash)) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

}  // namespace

std::string TemporaryNamePrefix(std::string_view name) {
  // Cut so that the whole temporary name stays within the length a name may have.
  return "." + std::string(name.substr(0, 200)) + std::string(kMark);
}

int CreateTemporaryFile(const std::string& folder, std::string_view name, unsigned mode, std::string& path) {
  // One generator a thread: documents may be saved on several at once.
  thread_local std::mt19937 random{std::random_device{}()};
  static constexpr char kHex[] = "0123456789abcdef";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string tail(8, '0');
    uint32_t r = static_cast<uint32_t>(random());
    for (char& c : tail) {
      c = kHex[r & 0xF];
      r >>= 4;
    }
    path = JoinPath(folder, TemporaryNamePrefix(name) + std::to_string(::getpid()) + "-" + tail + std::string(kEnd));
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

long TemporaryFileOwner(std::string_view entry, std::string_view name) {
  if (!name.empty()) {
    const std::string prefix = TemporaryNamePrefix(name);
    if (entry.substr(0, prefix.size()) != prefix) return 0;
    return OwnerOfTail(entry.substr(prefix.size()));
  }
  // Any file's: the last mark, since the name before it may hold one too.
  if (entry.size() < 2 || entry[0] != '.') return 0;
  const size_t mark = entry.rfind(kMark);
  if (mark == std::string_view::npos || mark < 2) return 0;
  return OwnerOfTail(entry.substr(mark + kMark.size()));
}

std::string SystemTempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  return tmp && *tmp ? tmp : "/tmp";
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool ProcessRuns(long pid) {
  if (pid <= 0) return false;
  if (pid == ::getpid()) return true;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

int RemoveLeftovers(const std::string& folder, std::string_view name, const FileIds& held) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return 0;
  // Earlier versions named the safety copy of an in-place save after the
  // temporary file: "..<name>.nuvel-<process>-<random>.tmp.nuvel-...".
  const std::string copyOfTemporary = name.empty() ? std::string() : "." + TemporaryNamePrefix(name);
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    long pid = TemporaryFileOwner(entry->d_name, name);
    if (pid == 0 && !copyOfTemporary.empty() && std::string_view(entry->d_name).starts_with(copyOfTemporary))
      pid = TemporaryFileOwner(entry->d_name);
    if (pid == 0 || ProcessRuns(pid)) continue;
    const std::string path = JoinPath(folder, entry->d_name);
    // Only files: a folder of that name is no leftover of a save.
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (held.count({static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)}) != 0) continue;
    if (::unlink(path.c_str()) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

}  // namespace nuvel::platform
