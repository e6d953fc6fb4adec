#pragma once
// What a file manager window keeps in [FileManager] of the INI file, each
// key followed by the window's suffix (empty for the first window):
// WindowPosition "height width left top", Columns "w0 w1 w2 w3", SortCol,
// SortDrct ("0" descending, anything else ascending) and Filter; and the
// window numbering that gives each open window a number, a suffix and a
// caption of its own.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace nuvel {

struct FileWindowSettings {
  int height = 300;
  int width = 435;
  std::optional<int> left, top;  // unset: the window system places it
  std::optional<std::array<int, 4>> columns;
  std::optional<int> sortColumn;  // 0-3; unset: the list's own order
  bool forward = true;
  std::string filter = "*.*";
};

// The settings of the window with `suffix`, defaults where keys are missing
// or malformed.
FileWindowSettings ReadFileWindowSettings(const std::string& suffix);

// Writes WindowPosition, Columns, SortCol and SortDrct (the filter is
// written when it changes, by WriteFileWindowFilter).
void WriteFileWindowSettings(const std::string& suffix, const FileWindowSettings& s);
void WriteFileWindowFilter(const std::string& suffix, const std::string& filter);

// Suffix and caption ending of window `number` (1 is the first window).
std::string FileWindowSuffix(int number);
std::string FileWindowCaptionEnd(int number);

// The numbers of the open windows. A new window takes the lowest number not
// in use, so numbers, suffixes and the keys they select stay unique however
// windows were closed before; at most `kMaxFileWindows` are open.
class FileWindowNumbers {
 public:
  static constexpr int kMaxFileWindows = 10;
  // The number of the new window, or nullopt when the most are open.
  std::optional<int> Take();
  void Release(int number);
  int Count() const { return static_cast<int>(used_.size()); }
  const std::vector<int>& Used() const { return used_; }

 private:
  std::vector<int> used_;  // ascending
};

}  // namespace nuvel
