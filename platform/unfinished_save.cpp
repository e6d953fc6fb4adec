#include "platform/unfinished_save.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string_view>
#include <vector>

#include "platform/path_parts.h"
#include "platform/program_path.h"

namespace nuvel::platform {

namespace {

constexpr std::string_view kHeading = "nuvel unfinished save";
constexpr std::string_view kMarkerEnd = ".save";

// Bytes that would break a line of the marker (and "%" itself) as %XX.
std::string Escape(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto b = static_cast<uint8_t>(c);
    if (b < 0x20 || b == 0x7F || c == '%') {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned value = 0;
    if (text[i] == '%' && i + 2 < text.size() &&
        std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr == text.data() + i + 3) {
      out += static_cast<char>(value);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string AbsolutePath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(path, ec);
  if (ec) return path;
  return p.lexically_normal().string();
}

// A stable short key of the file's path, so that its markers sort together.
std::string PathKey(std::string_view path) {
  uint64_t h = 1469598103934665603ull;
  for (const char c : path) {
    h ^= static_cast<uint8_t>(c);
    h *= 1099511628211ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return text;
}

bool WriteWhole(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// The process that wrote the marker named `entry` ("<key>-<pid>-<random>.save").
long ProcessOfMarkerName(std::string_view entry) {
  const size_t first = entry.find('-');
  if (first == std::string_view::npos) return 0;
  long pid = 0;
  const char* begin = entry.data() + first + 1;
  const char* end = entry.data() + entry.size();
  const auto [ptr, ec] = std::from_chars(begin, end, pid);
  if (ec != std::errc() || ptr == end || *ptr != '-') return 0;
  return pid;
}

// Reads a marker; false when it is not whole.
bool ParseMarker(std::string_view text, UnfinishedSave& save) {
  bool heading = false, ended = false, hasTarget = false, hasCopy = false;
  while (!text.empty()) {
    const size_t eol = text.find('\n');
    if (eol == std::string_view::npos) return false;  // cut short
    const std::string_view line = text.substr(0, eol);
    text.remove_prefix(eol + 1);
    if (!heading) {
      if (line != kHeading) return false;
      heading = true;
      continue;
    }
    if (line == "end") {
      ended = true;
      break;
    }
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, tab);
    const std::string_view value = line.substr(tab + 1);
    if (key == "target") {
      save.target = Unescape(value);
      hasTarget = !save.target.empty();
    } else if (key == "copy") {
      save.copy = Unescape(value);
      hasCopy = !save.copy.empty();
    } else if (key == "backup") {
      save.copyIsBackup = value == "1";
    } else if (key == "process") {
      std::from_chars(value.data(), value.data() + value.size(), save.process);
    } else if (key == "file") {
      const size_t space = value.find(' ');
      if (space != std::string_view::npos) {
        std::from_chars(value.data(), value.data() + space, save.device);
        std::from_chars(value.data() + space + 1, value.data() + value.size(), save.inode);
      }
    }
  }
  return ended && hasTarget && hasCopy;
}

bool ReadSmallFile(const std::string& path, std::string& out) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!f) return false;
  char buffer[4096];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) {
    out.append(buffer, n);
    if (out.size() > (1 << 20)) return false;  // no marker is this long
  }
  return std::ferror(f.get()) == 0;
}

// True when both files hold the same bytes.
bool SameContent(const std::string& a, const std::string& b) {
  const int fa = ::open(a.c_str(), O_RDONLY | O_CLOEXEC);
  if (fa < 0) return false;
  const int fb = ::open(b.c_str(), O_RDONLY | O_CLOEXEC);
  if (fb < 0) {
    ::close(fa);
    return false;
  }
  struct stat sa {}, sb {};
  bool same = ::fstat(fa, &sa) == 0 && ::fstat(fb, &sb) == 0 && S_ISREG(sa.st_mode) && S_ISREG(sb.st_mode) &&
              sa.st_size == sb.st_size;
  if (same) {
    std::vector<char> ba(1 << 20), bb(1 << 20);
    for (off_t at = 0; same && at < sa.st_size;) {
      const ssize_t na = ::pread(fa, ba.data(), ba.size(), at);
      const ssize_t nb = ::pread(fb, bb.data(), bb.size(), at);
      same = na > 0 && na == nb && std::equal(ba.begin(), ba.begin() + na, bb.begin());
      at += na > 0 ? na : 0;
    }
  }
  ::close(fa);
  ::close(fb);
  return same;
}

}  // namespace

std::string UnfinishedSaveFolder() { return UserConfigFolder() + "nuvel/unfinished-saves/"; }

std::string WriteUnfinishedSaveMarker(const std::string& folder, const std::string& target, const std::string& copy,
                                      bool copyIsBackup) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const std::string absoluteTarget = AbsolutePath(target);
  struct stat st {};
  const bool known = ::stat(target.c_str(), &st) == 0;
  std::string text(kHeading);
  text += "\ntarget\t" + Escape(absoluteTarget);
  text += "\ncopy\t" + Escape(AbsolutePath(copy));
  text += copyIsBackup ? "\nbackup\t1" : "\nbackup\t0";
  text += "\nprocess\t" + std::to_string(::getpid());
  if (known) text += "\nfile\t" + std::to_string(st.st_dev) + " " + std::to_string(st.st_ino);
  text += "\nend\n";

  static std::mt19937 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    char tail[9];
    std::snprintf(tail, sizeof tail, "%08x", static_cast<unsigned>(random()));
    const std::string path =
        JoinPath(folder, PathKey(absoluteTarget) + "-" + std::to_string(::getpid()) + "-" + tail + std::string(kMarkerEnd));
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return {};
    }
    const bool ok = WriteWhole(fd, text) && ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!ok) {
      ::unlink(path.c_str());
      errno = error;
      return {};
    }
    SyncFolder(folder);
    return path;
  }
  errno = EEXIST;
  return {};
}

void RemoveUnfinishedSaveMarker(const std::string& marker) {
  if (marker.empty()) return;
  ::unlink(marker.c_str());
  SyncFolder(std::filesystem::path(marker).parent_path().string());
}

std::vector<UnfinishedSave> UnfinishedSaves(const std::string& folder) {
  std::vector<UnfinishedSave> saves;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return saves;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name.size() <= kMarkerEnd.size() || name.substr(name.size() - kMarkerEnd.size()) != kMarkerEnd) continue;
    UnfinishedSave save;
    save.marker = JoinPath(folder, name);
    std::string text;
    if (ReadSmallFile(save.marker, text) && ParseMarker(text, save)) {
      saves.push_back(std::move(save));
    } else if (!ProcessRuns(ProcessOfMarkerName(name))) {
      // Cut short before it was whole: the file itself was not touched yet.
      ::unlink(save.marker.c_str());
    }
  }
  ::closedir(dir);
  return saves;
}

FileIds HeldCopies(const std::string& folder) {
  FileIds held;
  for (const UnfinishedSave& save : UnfinishedSaves(folder)) {
    struct stat st {};
    if (::stat(save.copy.c_str(), &st) == 0)
      held.insert({static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)});
  }
  return held;
}

std::vector<UnfinishedSave> UnfinishedSavesOf(const std::string& folder, const std::string& path) {
  std::vector<UnfinishedSave> found;
  const std::string target = AbsolutePath(FollowLinks(path));
  struct stat st {};
  const bool known = ::stat(target.c_str(), &st) == 0;
  for (UnfinishedSave& save : UnfinishedSaves(folder)) {
    const bool sameFile = save.target == target || (known && save.device != 0 &&
                                                    save.device == static_cast<uint64_t>(st.st_dev) &&
                                                    save.inode == static_cast<uint64_t>(st.st_ino));
    if (!sameFile || ProcessRuns(save.process)) continue;
    struct stat copy {};
    if (::stat(save.copy.c_str(), &copy) != 0) {
      RemoveUnfinishedSaveMarker(save.marker);  // nothing left to offer
      continue;
    }
    if (SameContent(save.copy, save.target)) {
      // Killed before the file was touched, or after it was whole again.
      ForgetUnfinishedSave(save);
      continue;
    }
    found.push_back(std::move(save));
  }
  return found;
}

AtomicWriteResult RestoreUnfinishedSave(const UnfinishedSave& save, const std::string& folder) {
  // A kill while the text goes back leaves the marker of the save it mends,
  // which still names the text to put back.
  AtomicWriteOptions options;
  options.markerFolder = folder;
  options.markInPlace = false;
  AtomicFileWriter writer(save.target, options);
  if (!writer.Ready()) return writer.Result();
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(save.copy.c_str(), "rb"), &std::fclose);
  AtomicWriteResult failed = writer.Result();
  failed.failure = WriteFailure::Write;
  if (!in) {
    failed.error = errno;
    return failed;
  }
  std::vector<char> buffer(1 << 20);
  size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), in.get())) > 0) {
    if (std::fwrite(buffer.data(), 1, n, writer.Stream()) != n) break;  // the commit tells why
  }
  if (std::ferror(in.get())) {
    failed.error = EIO;
    return failed;
  }
  const AtomicWriteResult result = writer.Commit();
  if (result.Ok()) ForgetUnfinishedSave(save);
  return result;
}

void ForgetUnfinishedSave(const UnfinishedSave& save) {
  RemoveUnfinishedSaveMarker(save.marker);
  if (!save.copyIsBackup) ::unlink(save.copy.c_str());
}

int SweepTemporaryFiles(const std::string& folder, const std::string& markerFolder) {
  return RemoveLeftovers(folder, {}, HeldCopies(markerFolder));
}

}  // namespace nuvel::platform
