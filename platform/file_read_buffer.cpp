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
#include <thread>
#include <vector>

namespace nuvel::platform {
namespace {

// Reads [offset, offset + length) of `fd` into `to`; answers the bytes read
// before the end of the file or an error (0 with `error` set).
std::size_t ReadRange(int fd, uint8_t* to, std::size_t offset, std::size_t length, int& error) {
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::pread(fd, to + done, std::min<std::size_t>(length - done, std::size_t{1} << 30),
                              static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = errno;
      return done;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

// Fills `to` with the first `length` bytes of `fd`, a range per thread: the
// system makes fresh memory ready page by page as it is first written, which
// for a large file takes longer than the copying, and goes on in parallel.
// Answers how many bytes from the start were read without a gap.
std::size_t ReadInParallel(int fd, uint8_t* to, std::size_t length, int& error) {
  constexpr std::size_t kPerThread = std::size_t{8} << 20;
  const std::size_t threads =
      std::min<std::size_t>({length / kPerThread, std::max(1u, std::thread::hardware_concurrency()), 8});
  if (threads < 2) return ReadRange(fd, to, 0, length, error);
  // Ranges on large-page boundaries, so that no page is cleared twice over.
  const std::size_t step = (length / threads + kLargePage - 1) / kLargePage * kLargePage;
  std::vector<std::size_t> got(threads, 0);
  std::vector<int> errors(threads, 0);
  {
    std::vector<std::jthread> readers;
    for (std::size_t t = 1; t < threads; ++t) {
      const std::size_t from = std::min(length, t * step);
      readers.emplace_back([&, t, from] { got[t] = ReadRange(fd, to + from, from, std::min(length, from + step) - from, errors[t]); });
    }
    got[0] = ReadRange(fd, to, 0, std::min(length, step), errors[0]);
  }
  std::size_t done = 0;
  for (std::size_t t = 0; t < threads; ++t) {
    const std::size_t from = std::min(length, t * step);
    const std::size_t want = std::min(length, from + step) - from;
    if (errors[t] != 0) {
      error = errors[t];
      return done;
    }
    done += got[t];
    if (got[t] < want) break;  // the file got shorter while it was read
  }
  return done;
}

}  // namespace

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
  // every 2 MB instead of every 4 KB. The file is read straight into it,
  // a large one by several threads, then to its end, wherever that is now.
  std::size_t want = static_cast<std::size_t>(size) + 1;
  if (size > 0) {
    data_ = static_cast<uint8_t*>(MapLargeBlock(want));
    if (data_ == nullptr) {
      ::close(fd);
      error = ENOMEM;
      return false;
    }
    capacity_ = WholeLargePages(want);
    size_ = ReadInParallel(fd, data_, static_cast<std::size_t>(size), error);
  }
  while (error == 0) {
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
      capacity_ = WholeLargePages(want);
    }
    const ssize_t n = ::pread(fd, data_ + size_, std::min<std::size_t>(capacity_ - size_, std::size_t{1} << 30),
                              static_cast<off_t>(size_));
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
  const auto start = reinterpret_cast<std::uintptr_t>(data_);
  const std::uintptr_t until = (start + std::min(offset, size_)) / kLargePage * kLargePage;
  if (until <= start) return;
  const std::size_t end = static_cast<std::size_t>(until - start);
  if (end <= released_) return;
  ::madvise(data_ + released_, end - released_, MADV_DONTNEED);
  released_ = end;
}

}  // namespace nuvel::platform
