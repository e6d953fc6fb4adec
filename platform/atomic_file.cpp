#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace nuvel::platform {

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code ec;
  std::filesystem::path folder = path.parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);

  std::string temp = path.string() + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;

  // Keep the old file's permissions where there is one; else the usual 0644.
  auto status = std::filesystem::status(path, ec);
  if (!ec && std::filesystem::exists(status)) {
    ::fchmod(fd, static_cast<mode_t>(status.permissions() & std::filesystem::perms::mask));
  } else {
    ::fchmod(fd, 0644);
  }

  bool ok = true;
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (ok && left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
    } else {
      p += n;
      left -= static_cast<size_t>(n);
    }
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, int& error) {
  error = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error = errno;
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? EISDIR : ENODEV;  // a device, a pipe: not a file to read
    ::close(fd);
    return false;
  }
  bytes.clear();
  try {
    bytes.reserve(static_cast<size_t>(st.st_size));
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

}  // namespace nuvel::platform
