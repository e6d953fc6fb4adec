#include "platform/regular_file_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/atomic_file.h"

namespace nuvel::platform {

FilePtr OpenRegularFileStream(const std::filesystem::path& path, int& error) {
  uint64_t size = 0;
  const int fd = OpenRegularFileToRead(path, error, size);
  if (fd < 0) return nullptr;
  // Opened without waiting; a regular file's reads wait as usual.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  FilePtr stream(::fdopen(fd, "rb"));
  if (!stream) {
    error = errno;
    ::close(fd);
  }
  return stream;
}

}  // namespace nuvel::platform
