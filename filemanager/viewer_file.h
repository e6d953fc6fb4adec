#pragma once
// The file under the large-file viewer and its page cache. The file is never
// read whole: bytes are read in 4 KB pages into a fixed number of slots,
// the least recently used slot giving way to a new page. When pages are
// asked for one after another (a scan), several are read with one call into
// the oldest slots, so a long scan needs few system calls. A page is found
// in the cache, and the oldest slots are found, in a time that does not
// grow with the cache, so a larger cache never makes a scan slower. Sizes
// and positions are 64-bit, so files of any size open.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace nuvel {

class TViewerFile {
 public:
  static constexpr int64_t kPageSize = 4096;
  static constexpr int kMinPages = 2;
  static constexpr int kMaxPages = 512;

  explicit TViewerFile(int pageCount = 16);
  ~TViewerFile();
  TViewerFile(const TViewerFile&) = delete;
  TViewerFile& operator=(const TViewerFile&) = delete;

  // Opens a regular file for reading and empties the cache. Raises
  // EInOutError with the viewer's message for the error (not found, bad
  // path, too many open files, access denied, any other with its code) and
  // for a name that is a folder, a device or a pipe; the file stays closed.
  void Open(const std::string& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  int64_t Size() const { return size_; }

  // Slots of the cache; a new count is clamped to 2..512 and keeps the
  // cached pages that fit, the page read last among them.
  int PageCount() const { return static_cast<int>(slots_.size()); }
  void SetPageCount(int count);

  // The cached bytes from `pos` to the end of its page (read when needed);
  // empty at or past the end of the file. Valid until the next call.
  std::span<const uint8_t> BytesAt(int64_t pos);

  // The pages in the cache, slot by slot; -1 for an empty slot.
  std::vector<int64_t> CachedPages() const;
  // How many read calls the cache has made since the file was opened.
  uint64_t ReadCalls() const { return readCalls_; }

 private:
  struct Slot {
    bool used = false;  // an empty slot holds no page, whatever its number
    int64_t page = 0;
    int32_t valid = 0;
    uint64_t stamp = 0;
    std::unique_ptr<uint8_t[]> buffer;
  };

  void ResetSlots();
  int FindSlot(int64_t page) const;
  // The slots by age: a list from the newest to the oldest.
  void Touch(int slot);  // the slot is the newest now
  void Unlink(int slot);
  void LinkNewest(int slot);
  void RebuildAges();
  // Where each cached page is: a table of slots by page, open addressing.
  std::size_t MapHome(int64_t page) const;
  void MapInsert(int slot);
  void MapErase(int slot);
  void RebuildMap();
  // Reads `count` pages from `first` into the oldest slots; returns the slot
  // of `wanted`.
  int ReadRun(int64_t first, int count, int64_t wanted);
  [[noreturn]] void RaiseReadError(int error) const;

  int fd_ = -1;
  int64_t size_ = 0;
  std::vector<Slot> slots_;
  std::vector<int> newer_, older_;  // neighbours in the list by age; -1 at its ends
  int newest_ = -1, oldest_ = -1;
  std::vector<int> map_;            // slot of a page, or -1; twice the slots or more, a power of two
  uint64_t clock_ = 0;
  int current_ = -1;         // slot read last
  int64_t lastMiss_ = -2;    // page of the last miss, to see a scan
  uint64_t readCalls_ = 0;
};

// The viewer's message for an error of opening or reading a file: 2 not
// found, 3 bad path, 4 too many open files, 5 access denied, else the
// numbered input/output error. `error` is the system's error number.
std::string ViewerErrorText(int error);

}  // namespace nuvel
