#include "filemanager/viewer_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/exceptions.h"
#include "core/file_messages.h"
#include "core/message_table.h"

namespace nuvel {

namespace {
// At most this many pages are read with one call during a scan.
constexpr int kMaxRun = 16;
}  // namespace

std::string ViewerErrorText(int error) {
  switch (error) {
    case ENOENT:
      return GetLibraryString(30233);
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
      return GetLibraryString(30234);
    case EMFILE:
    case ENFILE:
      return GetLibraryString(30235);
    case EACCES:
    case EPERM:
      return GetLibraryString(30236);
    default: {
      std::string text = GetLibraryString(30232);
      const size_t at = text.find("%d");
      if (at != std::string::npos) text.replace(at, 2, std::to_string(error));
      return text;
    }
  }
}

TViewerFile::TViewerFile(int pageCount) { SetPageCount(pageCount); }

TViewerFile::~TViewerFile() { Close(); }

void TViewerFile::Open(const std::string& path) {
  Close();
  // Not blocking: a pipe's name must not hang the viewer before it is seen
  // to be no regular file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw EInOutError(ViewerErrorText(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int error = errno;
    ::close(fd);
    throw EInOutError(ViewerErrorText(error));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    throw EInOutError(FileMessageText(S_ISDIR(st.st_mode) ? FileMessage::IsFolder : FileMessage::NotRegularFile,
                                      {path}));
  }
  fd_ = fd;
  size_ = static_cast<int64_t>(st.st_size);
  readCalls_ = 0;
  ResetSlots();
}

void TViewerFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  size_ = 0;
  ResetSlots();
}

void TViewerFile::ResetSlots() {
  for (Slot& s : slots_) {
    s.used = false;
    s.valid = 0;
    s.stamp = 0;
  }
  clock_ = 0;
  current_ = -1;
  lastMiss_ = -2;
  RebuildAges();
  RebuildMap();
}

void TViewerFile::SetPageCount(int count) {
  count = std::clamp(count, kMinPages, kMaxPages);
  const int old = PageCount();
  if (count == old) return;
  if (count > old) {
    slots_.resize(static_cast<size_t>(count));
    for (int i = old; i < count; ++i) slots_[static_cast<size_t>(i)].buffer = std::make_unique<uint8_t[]>(kPageSize);
  } else {
    // Shrinking keeps the page read last: its slot goes to the front.
    if (current_ > 0) std::swap(slots_[0], slots_[static_cast<size_t>(current_)]);
    if (current_ >= 0) current_ = 0;
    slots_.resize(static_cast<size_t>(count));
  }
  RebuildAges();
  RebuildMap();
}

void TViewerFile::Unlink(int slot) {
  const int newer = newer_[static_cast<size_t>(slot)], older = older_[static_cast<size_t>(slot)];
  (newer >= 0 ? older_[static_cast<size_t>(newer)] : newest_) = older;
  (older >= 0 ? newer_[static_cast<size_t>(older)] : oldest_) = newer;
}

void TViewerFile::LinkNewest(int slot) {
  newer_[static_cast<size_t>(slot)] = -1;
  older_[static_cast<size_t>(slot)] = newest_;
  (newest_ >= 0 ? newer_[static_cast<size_t>(newest_)] : oldest_) = slot;
  newest_ = slot;
}

void TViewerFile::RebuildAges() {
  // Empty slots are the oldest (stamp 0), the first slot first on ties.
  std::vector<std::pair<uint64_t, int>> order;
  for (size_t i = 0; i < slots_.size(); ++i)
    order.emplace_back(slots_[i].used ? slots_[i].stamp : 0, static_cast<int>(i));
  std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second < b.second;
  });
  newer_.assign(slots_.size(), -1);
  older_.assign(slots_.size(), -1);
  newest_ = oldest_ = -1;
  for (const auto& [stamp, slot] : order) LinkNewest(slot);
}

std::size_t TViewerFile::MapHome(int64_t page) const {
  return static_cast<std::size_t>(static_cast<uint64_t>(page) * 0x9E3779B97F4A7C15ull >> 32) & (map_.size() - 1);
}

void TViewerFile::MapInsert(int slot) {
  std::size_t at = MapHome(slots_[static_cast<size_t>(slot)].page);
  while (map_[at] >= 0) at = (at + 1) & (map_.size() - 1);
  map_[at] = slot;
}

void TViewerFile::MapErase(int slot) {
  const std::size_t mask = map_.size() - 1;
  std::size_t at = MapHome(slots_[static_cast<size_t>(slot)].page);
  while (map_[at] != slot) at = (at + 1) & mask;
  // Later entries of the run move back where their search would miss them.
  std::size_t hole = at;
  for (std::size_t next = (hole + 1) & mask; map_[next] >= 0; next = (next + 1) & mask) {
    const std::size_t home = MapHome(slots_[static_cast<size_t>(map_[next])].page);
    if (((next - home) & mask) >= ((next - hole) & mask)) {
      map_[hole] = map_[next];
      hole = next;
    }
  }
  map_[hole] = -1;
}

void TViewerFile::RebuildMap() {
  std::size_t size = 4;
  while (size < 2 * slots_.size()) size *= 2;
  map_.assign(size, -1);
  for (size_t i = 0; i < slots_.size(); ++i)
    if (slots_[i].used) MapInsert(static_cast<int>(i));
}

int TViewerFile::FindSlot(int64_t page) const {
  if (current_ >= 0 && slots_[static_cast<size_t>(current_)].used &&
      slots_[static_cast<size_t>(current_)].page == page)
    return current_;
  for (std::size_t at = MapHome(page); map_[at] >= 0; at = (at + 1) & (map_.size() - 1)) {
    if (slots_[static_cast<size_t>(map_[at])].page == page) return map_[at];
  }
  return -1;
}

void TViewerFile::RaiseReadError(int error) const { throw EInOutError(ViewerErrorText(error)); }

int TViewerFile::ReadRun(int64_t first, int count, int64_t wanted) {
  // The oldest slots, empty ones first. The slot read last stays, so a run
  // never evicts the page a caller is working in.
  int taken[kMaxRun];
  int n = 0;
  for (int slot = oldest_; slot >= 0 && n < count; slot = newer_[static_cast<size_t>(slot)]) {
    if (slot != current_) taken[n++] = slot;
  }
  count = n;
  iovec vec[kMaxRun];
  for (int i = 0; i < count; ++i) {
    Slot& s = slots_[static_cast<size_t>(taken[i])];
    if (s.used) MapErase(taken[i]);
    s.used = false;
    vec[i].iov_base = s.buffer.get();
    vec[i].iov_len = static_cast<size_t>(kPageSize);
  }
  const int64_t offset = first * kPageSize;
  const int64_t wantBytes = std::min<int64_t>(count * kPageSize, size_ - offset);
  int64_t got = 0;
  while (got < wantBytes) {
    // Continue a short read where it stopped.
    int skip = static_cast<int>(got / kPageSize);
    iovec rest[kMaxRun];
    int n = 0;
    for (int i = skip; i < count; ++i) rest[n++] = vec[i];
    rest[0].iov_base = static_cast<uint8_t*>(rest[0].iov_base) + got % kPageSize;
    rest[0].iov_len -= static_cast<size_t>(got % kPageSize);
    ++readCalls_;
    const ssize_t r = ::preadv(fd_, rest, n, static_cast<off_t>(offset + got));
    if (r < 0) {
      if (errno == EINTR) continue;
      RaiseReadError(errno);
    }
    if (r == 0) break;  // the file became shorter
    got += r;
  }
  int result = -1;
  for (int i = 0; i < count; ++i) {
    const int index = taken[i];
    Slot& s = slots_[static_cast<size_t>(index)];
    const int64_t valid = std::clamp<int64_t>(got - i * kPageSize, 0, kPageSize);
    std::memset(s.buffer.get() + valid, 0, static_cast<size_t>(kPageSize - valid));
    s.used = true;
    s.page = first + i;
    s.valid = static_cast<int32_t>(valid);
    s.stamp = ++clock_;
    MapInsert(index);
    Unlink(index);
    LinkNewest(index);
    if (s.page == wanted) result = index;
  }
  // The wanted page is the newest, so the scan's next page does not push it out.
  if (result >= 0) Touch(result);
  return result;
}

void TViewerFile::Touch(int slot) {
  slots_[static_cast<size_t>(slot)].stamp = ++clock_;
  Unlink(slot);
  LinkNewest(slot);
}

std::span<const uint8_t> TViewerFile::BytesAt(int64_t pos) {
  if (fd_ < 0 || pos < 0 || pos >= size_) return {};
  const int64_t page = pos / kPageSize;
  int slot = FindSlot(page);
  if (slot >= 0) {
    if (slot != current_) Touch(slot);
  } else {
    // A scan reads ahead in its direction, over pages not yet cached.
    const int limit = std::min(kMaxRun, PageCount() / 2);
    const int64_t lastPage = (size_ - 1) / kPageSize;
    int64_t first = page;
    int count = 1;
    if (page == lastMiss_ + 1) {
      while (count < limit && page + count <= lastPage && FindSlot(page + count) < 0) ++count;
    } else if (page == lastMiss_ - 1) {
      while (count < limit && first > 0 && FindSlot(first - 1) < 0) {
        --first;
        ++count;
      }
    }
    lastMiss_ = page + (page == lastMiss_ + 1 ? count - 1 : page == lastMiss_ - 1 ? -(count - 1) : 0);
    slot = ReadRun(first, count, page);
  }
  current_ = slot;
  const Slot& s = slots_[static_cast<size_t>(slot)];
  const int64_t at = pos - page * kPageSize;
  if (at >= s.valid) return {};
  return {s.buffer.get() + at, static_cast<size_t>(s.valid - at)};
}

std::vector<int64_t> TViewerFile::CachedPages() const {
  std::vector<int64_t> pages;
  for (const Slot& s : slots_) pages.push_back(s.used ? s.page : -1);
  return pages;
}

}  // namespace nuvel
