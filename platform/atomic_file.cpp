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

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  try {
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::exception&) {
    return false;
  }
  return !in.bad();
}

}  // namespace nuvel::platform
