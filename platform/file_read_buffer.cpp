#include "platform/file_read_buffer.h"

#include "platform/atomic_file.h"
#include "platform/large_pages.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace nuvel::platform {
FileReadBuffer::~FileReadBuffer() { Free(); }

void FileReadBuffer::Free() {
  UnmapLargeBlock(data_, capacity_);
  data_ = nullptr;
  size_ = capacity_ = released_ = 0;
}

bool FileReadBuffer::Read(const std::filesystem::path& path, int& error) {
  Free();
  uint64_t size = 0;
  const int fd = OpenRegularFileToRead(path, error, size);
  if (fd < 0) return false;
  // Memory of its own (not the heap), so that its pages can be given back
  // as the reader moves on; in large pages, so that filling it takes a fault
  // every 2 MB instead of every 4 KB. The file is read straight into it.
  std::size_t want = static_cast<std::size_t>(size) + 1;
  for (;;) {
    if (size_ == capacity_) {
      if (data_ != nullptr) want = std::max(want, capacity_ * 2);  // the file grew while it was read
      auto* grown = static_cast<uint8_t*>(MapLargeBlock(want));
      if (grown == nullptr) {
        error = ENOMEM;
        break;
      }
      if (data_ != nullptr) {
        std::memcpy(grown, data_, size_);
        UnmapLargeBlock(data_, capacity_);
      }
      data_ = grown;
      capacity_ = (want + kLargePage - 1) / kLargePage * kLargePage;
    }
    const ssize_t n = ::read(fd, data_ + size_, std::min<std::size_t>(capacity_ - size_, std::size_t{1} << 30));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = errno;
      break;
    }
    if (n == 0) break;
    size_ += static_cast<std::size_t>(n);
  }
  ::close(fd);
  if (error != 0) Free();
  return error == 0;
}

void FileReadBuffer::ReleaseBefore(std::size_t offset) {
  if (data_ == nullptr) return;
  // Whole large pages only: giving back part of one would split it, slowly.
  constexpr std::uintptr_t kBlock = kLargePage;
  const auto start = reinterpret_cast<std::uintptr_t>(data_);
  const std::uintptr_t until = (start + std::min(offset, size_)) / kBlock * kBlock;
  if (until <= start) return;
  const std::size_t end = static_cast<std::size_t>(until - start);
  if (end <= released_) return;
  ::madvise(data_ + released_, end - released_, MADV_DONTNEED);
  released_ = end;
}

}  // namespace nuvel::platform
