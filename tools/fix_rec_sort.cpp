#include "tools/fix_rec_sort.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#include "core/exceptions.h"

namespace nuvel::tools {

namespace {

namespace fs = std::filesystem;
using Record = const uint8_t*;

std::string NumberText(uint64_t value) {
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return std::string(digits, end);
}

[[noreturn]] void ThrowIo(const std::string& what, const fs::path& path, int code) {
  throw EInOutError("I/O error " + NumberText(uint64_t(code)) + ": " + what + " " + path.string());
}

// A file opened for sequential or positioned whole-block access; every
// failure throws.
class BlockFile {
 public:
  BlockFile(const fs::path& path, const char* mode) : path_(path) {
    errno = 0;
    file_ = std::fopen(path.c_str(), mode);
    if (file_ == nullptr) ThrowIo("cannot open", path, errno);
  }
  ~BlockFile() {
    if (file_ != nullptr) std::fclose(file_);
  }
  BlockFile(const BlockFile&) = delete;
  BlockFile& operator=(const BlockFile&) = delete;

  // Reads exactly `count` bytes; a short read is an error, never a shorter result.
  void ReadExact(uint8_t* into, std::size_t count) {
    if (std::fread(into, 1, count, file_) != count) {
      ThrowIo(std::ferror(file_) ? "cannot read" : "unexpected end of", path_, errno != 0 ? errno : EIO);
    }
  }
  void ReadAt(uint64_t offset, uint8_t* into, std::size_t count) {
    if (std::fseek(file_, long(offset), SEEK_SET) != 0) ThrowIo("cannot seek in", path_, errno);
    ReadExact(into, count);
  }
  void Write(const uint8_t* from, std::size_t count) {
    if (count > 0 && std::fwrite(from, 1, count, file_) != count) ThrowIo("cannot write", path_, errno);
  }
  void Close() {
    std::FILE* f = std::exchange(file_, nullptr);
    if (f != nullptr && std::fclose(f) != 0) ThrowIo("cannot write", path_, errno);
  }

 private:
  fs::path path_;
  std::FILE* file_ = nullptr;
};

// Buffered writing of whole records (the writer side of TmSorIO).
class RecordWriter {
 public:
  RecordWriter(BlockFile& file, uint64_t bufferSize, std::size_t recordLength)
      : file_(file), recordLength_(recordLength), buffer_(std::max<uint64_t>(bufferSize, recordLength)) {}

  void Put(Record record) {
    if (used_ + recordLength_ > buffer_.size()) Flush();
    std::memcpy(buffer_.data() + used_, record, recordLength_);
    used_ += recordLength_;
  }
  void Flush() {
    file_.Write(buffer_.data(), used_);
    used_ = 0;
  }

 private:
  BlockFile& file_;
  std::size_t recordLength_;
  std::vector<uint8_t> buffer_;
  std::size_t used_ = 0;
};

// Removes a file when it goes out of scope, unless released.
class RemoveGuard {
 public:
  explicit RemoveGuard(fs::path path) : path_(std::move(path)) {}
  ~RemoveGuard() {
    if (!path_.empty()) {
      std::error_code ignored;
      fs::remove(path_, ignored);
    }
  }
  RemoveGuard(const RemoveGuard&) = delete;
  RemoveGuard& operator=(const RemoveGuard&) = delete;
  void Release() { path_.clear(); }

 private:
  fs::path path_;
};

// Quicksort of record addresses: iterative, with an explicit stack of ranges
// and the middle element as the pivot; short ranges are finished by insertion.
template <class Compare>
void QuickSort(Record* a, std::size_t n, const Compare& compare) {
  if (n < 2) return;
  struct Range {
    std::ptrdiff_t low, high;
  };
  std::vector<Range> stack;
  stack.push_back({0, std::ptrdiff_t(n) - 1});
  while (!stack.empty()) {
    auto [low, high] = stack.back();
    stack.pop_back();
    while (high - low > 12) {
      const Record pivot = a[low + (high - low) / 2];
      std::ptrdiff_t i = low;
      std::ptrdiff_t j = high;
      while (i <= j) {
        while (compare(a[i], pivot) < 0) ++i;
        while (compare(pivot, a[j]) < 0) --j;
        if (i <= j) std::swap(a[i++], a[j--]);
      }
      // Go on with the smaller side; the larger waits on the stack.
      if (j - low < high - i) {
        if (i < high) stack.push_back({i, high});
        high = j;
      } else {
        if (low < j) stack.push_back({low, j});
        low = i;
      }
    }
    for (std::ptrdiff_t k = low + 1; k <= high; ++k) {
      const Record r = a[k];
      std::ptrdiff_t m = k;
      for (; m > low && compare(r, a[m - 1]) < 0; --m) a[m] = a[m - 1];
      a[m] = r;
    }
  }
}

// A range of the pointer array during a three-way merge pass (TSub3Array).
struct TSub3Array {
  std::size_t current;
  std::size_t last;  // one past the end
  bool Active() const { return current < last; }
};

// One pass of the three-way merge sort over [low, high): consecutive triples
// of ranges of `width` are merged from `from` into `to`. On equal records the
// earlier range wins, so the sort is stable.
template <class Compare>
void MergePass(const Record* from, Record* to, std::size_t low, std::size_t high, std::size_t width,
               const Compare& compare) {
  for (std::size_t start = low; start < high; start += 3 * width) {
    TSub3Array r[3];
    for (std::size_t k = 0; k < 3; ++k) {
      r[k].current = std::min(high, start + k * width);
      r[k].last = std::min(high, start + (k + 1) * width);
    }
    std::size_t out = start;
    while (r[0].Active() && r[1].Active() && r[2].Active()) {
      std::size_t pick = 0;
      if (compare(from[r[1].current], from[r[0].current]) < 0) pick = 1;
      if (compare(from[r[2].current], from[r[pick].current]) < 0) pick = 2;
      to[out++] = from[r[pick].current++];
    }
    // Two ranges left (in their order), then one.
    TSub3Array* left[2];
    std::size_t count = 0;
    for (auto& range : r) {
      if (range.Active()) left[count++] = &range;
    }
    if (count == 2) {
      TSub3Array& x = *left[0];
      TSub3Array& y = *left[1];
      while (x.Active() && y.Active()) {
        to[out++] = compare(from[y.current], from[x.current]) < 0 ? from[y.current++] : from[x.current++];
      }
    }
    for (auto& range : r) {
      while (range.Active()) to[out++] = from[range.current++];
    }
  }
}

// Stable merge sort of record addresses: passes of width 1, 3, 9, ... merge
// consecutive triples of ranges into the second array, which then changes
// roles with the first. The merges are done in an order that keeps the data
// in cache: blocks of 27 are put in order by insertion (what the passes of
// width 1, 3 and 9 give), and the passes below kChunk are run chunk by chunk;
// the result is the same as pass after pass over the whole array.
template <class Compare>
void ThreeWayMergeSort(std::vector<Record>& items, std::vector<Record>& spare, const Compare& compare) {
  const std::size_t n = items.size();
  spare.resize(n);
  Record* from = items.data();
  Record* to = spare.data();
  constexpr std::size_t kBlock = 27;
  constexpr std::size_t kChunk = kBlock * 243;
  for (std::size_t start = 0; start < n; start += kBlock) {
    const std::size_t end = std::min(n, start + kBlock);
    for (std::size_t k = start + 1; k < end; ++k) {
      const Record r = from[k];
      std::size_t m = k;
      for (; m > start && compare(r, from[m - 1]) < 0; --m) from[m] = from[m - 1];
      from[m] = r;
    }
  }
  std::size_t localPasses = 0;
  for (std::size_t width = kBlock; width < kChunk && width < n; width *= 3) ++localPasses;
  for (std::size_t low = 0; low < n; low += kChunk) {
    const std::size_t high = std::min(n, low + kChunk);
    Record* f = from;
    Record* t = to;
    for (std::size_t width = kBlock, pass = 0; pass < localPasses; width *= 3, ++pass) {
      MergePass(f, t, low, high, width, compare);
      std::swap(f, t);
    }
  }
  if (localPasses % 2 == 1) std::swap(from, to);
  for (std::size_t width = kChunk; width < n; width *= 3) {
    MergePass(from, to, 0, n, width, compare);
    std::swap(from, to);
  }
  if (from != items.data()) std::copy(from, from + n, items.data());
}

// One run in the temporary file while merging (TmMergePart).
struct TmMergePart {
  std::size_t number = 0;    // from 1, in input order
  uint64_t offset = 0;       // file offset of the next unread part of the run
  uint64_t records = 0;      // records in the run
  uint64_t taken = 0;        // records handed out so far
  std::vector<uint8_t> buffer;
  std::size_t position = 0;  // of the current record in the buffer
  std::size_t filled = 0;    // bytes in the buffer
  Record current = nullptr;
};

struct RunInfo {
  uint64_t offset;
  uint64_t records;
};

template <class Compare>
void MergeRuns(const std::vector<RunInfo>& runs, const fs::path& tempPath, const fs::path& outPath,
               std::size_t recordLength, const SortBudget& budget, const Compare& compare) {
  BlockFile temp(tempPath, "rb");
  std::vector<TmMergePart> parts(runs.size());
  const std::size_t bufferSize = std::size_t(budget.mergeBuffer);

  // Hands out the next record of a part; false when the run is exhausted.
  auto advance = [&](TmMergePart& part) {
    if (part.taken == part.records) return false;
    if (part.current != nullptr) part.position += recordLength;
    if (part.current == nullptr || part.position >= part.filled) {
      const uint64_t left = (part.records - part.taken) * recordLength;
      part.filled = std::size_t(std::min<uint64_t>(bufferSize, left));
      temp.ReadAt(part.offset, part.buffer.data(), part.filled);
      part.offset += part.filled;
      part.position = 0;
    }
    part.current = part.buffer.data() + part.position;
    ++part.taken;
    return true;
  };
  // Run order: by current record, equal records by run number.
  auto before = [&](const TmMergePart* a, const TmMergePart* b) {
    const int c = compare(a->current, b->current);
    return c < 0 || (c == 0 && a->number < b->number);
  };

  std::vector<TmMergePart*> list;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    TmMergePart& part = parts[i];
    part.number = i + 1;
    part.offset = runs[i].offset;
    part.records = runs[i].records;
    part.buffer.resize(bufferSize);
    if (advance(part)) list.push_back(&part);
  }
  std::sort(list.begin(), list.end(), before);

  BlockFile out(outPath, "wb");
  RemoveGuard removePartialOutput(outPath);
  RecordWriter writer(out, budget.outputBuffer, recordLength);
  while (!list.empty()) {
    TmMergePart* first = list.front();
    writer.Put(first->current);
    if (!advance(*first)) {
      first->buffer = {};
      list.erase(list.begin());
      continue;
    }
    // Binary search for the run's new place among the others; the runs
    // before that place move up by one.
    auto place = std::upper_bound(list.begin() + 1, list.end(), first,
                                  [&](const TmMergePart* a, const TmMergePart* b) { return before(a, b); });
    std::move(list.begin() + 1, place, list.begin());
    *(place - 1) = first;
  }
  writer.Flush();
  out.Close();
  removePartialOutput.Release();
  temp.Close();
}

}  // namespace

SortBudget FixSortBudget(uint64_t inputSize, std::size_t recordLength) {
  const uint64_t s = inputSize;
  uint64_t run = 0;
  if (s <= 40'000'000) {
    run = std::max<uint64_t>(s / 12, 325'000);
  } else if (s <= 100'000'000) {
    run = std::max<uint64_t>(s / 17, 4'000'000);
  } else if (s <= 600'000'000) {
    run = std::max<uint64_t>(s / 25, 10'000'000);
  } else {
    run = 20'000'000;
  }
  const uint64_t length = std::max<uint64_t>(recordLength, 1);
  SortBudget budget;
  budget.outputBuffer = std::max<uint64_t>(run / 5, length);
  budget.runSize = std::max<uint64_t>(run / length * length, length);
  const uint64_t merge = budget.runSize / (s / budget.runSize + 1);
  budget.mergeBuffer = std::max<uint64_t>(merge / length * length, length);
  return budget;
}

TFixRecSort::TFixRecSort(std::size_t recordLength) : recordLength_(recordLength) {}

void TFixRecSort::Sort(const std::string& inFile, const std::string& outFile, const RecordCompare& compare) {
  runCount_ = 0;
  const std::size_t length = recordLength_;
  std::error_code ec;
  const uint64_t size = fs::file_size(inFile, ec);
  if (ec) ThrowIo("cannot open", inFile, ec.value());
  if (length == 0 || size % length != 0) {
    throw SortError("File can`t be divided through " + NumberText(length));
  }
  const SortBudget budget = FixSortBudget(size, length);
  const fs::path outPath(outFile);
  const fs::path tempPath = outPath.parent_path() / kSortTempName;
  RemoveGuard removeTemp(tempPath);

  // Runs: sort R bytes at a time as an array of record addresses and write
  // them one after the other into the temporary file.
  std::vector<RunInfo> runs;
  {
    BlockFile in(inFile, "rb");
    BlockFile temp(tempPath, "wb");
    RecordWriter writer(temp, budget.outputBuffer, length);
    std::vector<uint8_t> block(std::size_t(std::min<uint64_t>(budget.runSize, size)));
    std::vector<Record> items;
    std::vector<Record> spare;
    uint64_t offset = 0;
    while (offset < size) {
      const std::size_t bytes = std::size_t(std::min<uint64_t>(budget.runSize, size - offset));
      in.ReadExact(block.data(), bytes);
      const std::size_t count = bytes / length;
      items.resize(count);
      for (std::size_t i = 0; i < count; ++i) items[i] = block.data() + i * length;
      if (method_ == SortMethod::ThreeWayMerge) {
        ThreeWayMergeSort(items, spare, compare);
      } else {
        QuickSort(items.data(), items.size(), compare);
      }
      for (Record r : items) writer.Put(r);
      runs.push_back({offset, count});
      offset += bytes;
    }
    writer.Flush();
    temp.Close();
    in.Close();
  }
  runCount_ = runs.size();

  if (runs.size() < 2) {
    // One run is already in order: the temporary file becomes the output.
    fs::rename(tempPath, outPath, ec);
    if (ec) ThrowIo("cannot rename to", outPath, ec.value());
    removeTemp.Release();
    return;
  }
  MergeRuns(runs, tempPath, outPath, length, budget, compare);
}

}  // namespace nuvel::tools
