#pragma once
// External merge sort of a file of fixed-length records in bounded memory:
// the input is cut into runs that fit a budget, each run is sorted in memory
// as an array of record addresses and written to a temporary file beside the
// output, and the runs are merged into the output with a k-way merge.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace nuvel::tools {

// Compares two records: negative, 0 or positive as the first sorts before,
// with or after the second.
using RecordCompare = std::function<int(const uint8_t* a, const uint8_t* b)>;

// A sort that cannot be done because of its input (its size is no multiple
// of the record length). Stream errors throw EInOutError.
class SortError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Name of the temporary run file, made in the output file's folder.
inline constexpr const char* kSortTempName = "SorTemp.mkw";

// Memory budget of one sort, fixed from the input size.
struct SortBudget {
  uint64_t runSize = 0;       // bytes of input sorted in memory at a time, whole records
  uint64_t outputBuffer = 0;  // bytes of the writers' buffers
  uint64_t mergeBuffer = 0;   // bytes of each run's buffer while merging, whole records
};
SortBudget FixSortBudget(uint64_t inputSize, std::size_t recordLength);

enum class SortMethod : uint8_t {
  QuickSort = 0,       // iterative, middle element as pivot
  ThreeWayMerge = 1,   // stable
};

class TFixRecSort {
 public:
  explicit TFixRecSort(std::size_t recordLength);

  SortMethod Method() const { return method_; }
  void SetMethod(SortMethod method) { method_ = method; }
  std::size_t RecordLength() const { return recordLength_; }

  // Sorts the records of `inFile` into `outFile`, which is replaced. Equal
  // records keep their input order with ThreeWayMerge. Throws SortError when
  // the input size is no multiple of the record length, EInOutError on a
  // stream error; the temporary run file is removed in every case.
  void Sort(const std::string& inFile, const std::string& outFile, const RecordCompare& compare);

  // Number of runs the last Sort cut its input into.
  std::size_t RunCount() const { return runCount_; }

 private:
  std::size_t recordLength_;
  SortMethod method_ = SortMethod::QuickSort;
  std::size_t runCount_ = 0;
};

}  // namespace nuvel::tools
