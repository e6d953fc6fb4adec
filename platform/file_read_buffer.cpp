#include "platform/file_read_buffer.h"

#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace nuvel::platform {
namespace {

std::size_t PageSize() {
  static const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  return page;
}

std::size_t WholePages(std::size_t bytes) {
  const std::size_t page = PageSize();
  return (bytes + page - 1) / page * page;
}

}  // namespace

FileReadBuffer::~FileReadBuffer() { Free(); }

void FileReadBuffer::Free() {
  if (data_ != nullptr) ::munmap(data_, capacity_);
  data_ = nullptr;
  size_ = capacity_ = released_ = 0;
}

bool FileReadBuffer::Read(const std::filesystem::path& path, int& error) {
  Free();
  uint64_t size = 0;
  const int fd = OpenRegularFileToRead(path, error, size);
  if (fd < 0) return false;
  // Memory of its own (not the heap), so that its pages can be given back
  // one by one. The file comes through a small buffer: copied in by the
  // program, the pages are ready sooner than when the system fills them.
  std::size_t want = WholePages(static_cast<std::size_t>(size) + 1);
  uint8_t part[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, part, sizeof part);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = errno;
      break;
    }
    if (n == 0) break;
    const auto got = static_cast<std::size_t>(n);
    if (size_ + got > capacity_) {
      while (want < size_ + got) want *= 2;  // the file grew while it was read
      void* grown = data_ == nullptr ? ::mmap(nullptr, want, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                                     : ::mremap(data_, capacity_, want, MREMAP_MAYMOVE);
      if (grown == MAP_FAILED) {
        error = ENOMEM;
        break;
      }
      data_ = static_cast<uint8_t*>(grown);
      capacity_ = want;
    }
    std::memcpy(data_ + size_, part, got);
    size_ += got;
  }
  ::close(fd);
  if (error != 0) Free();
  return error == 0;
}

void FileReadBuffer::ReleaseBefore(std::size_t offset) {
  if (data_ == nullptr) return;
  // Whole blocks of 2 MB of address: the system may back the memory with
  // pages of that size, and giving back part of one would split it, slowly.
  constexpr std::uintptr_t kBlock = std::uintptr_t{2} << 20;
  const auto start = reinterpret_cast<std::uintptr_t>(data_);
  const std::uintptr_t until = (start + std::min(offset, size_)) / kBlock * kBlock;
  if (until <= start) return;
  const std::size_t end = static_cast<std::size_t>(until - start);
  if (end <= released_) return;
  ::madvise(data_ + released_, end - released_, MADV_DONTNEED);
  released_ = end;
}

}  // namespace nuvel::platform
