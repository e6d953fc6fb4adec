#include "filemanager/fm_settings.h"

#include <algorithm>
#include <charconv>

#include "core/settings.h"

namespace nuvel {

namespace {

constexpr std::string_view kSection = "FileManager";

// The whole numbers of `text` separated by blanks; nullopt when any is not one.
std::optional<std::vector<int>> Numbers(const std::string& text) {
  std::vector<int> out;
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    while (p < end && *p == ' ') ++p;
    if (p == end) break;
    int v = 0;
    auto r = std::from_chars(p, end, v);
    if (r.ec != std::errc() || (r.ptr < end && *r.ptr != ' ')) return std::nullopt;
    out.push_back(v);
    p = r.ptr;
  }
  return out;
}

std::string Read(const std::string& key, const std::string& suffix) {
  std::string v = ReadIniString(kSection, key + suffix);
  return v == kNotFound ? std::string() : v;
}

}  // namespace

FileWindowSettings ReadFileWindowSettings(const std::string& suffix) {
  FileWindowSettings s;
  if (auto pos = Numbers(Read("WindowPosition", suffix)); pos && pos->size() == 4) {
    if ((*pos)[0] > 0 && (*pos)[1] > 0) {
      s.height = (*pos)[0];
      s.width = (*pos)[1];
    }
    s.left = (*pos)[2];
    s.top = (*pos)[3];
  }
  if (auto cols = Numbers(Read("Columns", suffix)); cols && cols->size() == 4) {
    std::array<int, 4> c{};
    std::copy(cols->begin(), cols->end(), c.begin());
    if (std::all_of(c.begin(), c.end(), [](int w) { return w >= 0; })) s.columns = c;
  }
  if (auto col = Numbers(Read("SortCol", suffix)); col && col->size() == 1 && (*col)[0] >= 0 && (*col)[0] <= 3)
    s.sortColumn = (*col)[0];
  s.forward = ReadIniString(kSection, "SortDrct" + suffix) != "0";
  if (std::string f = Read("Filter", suffix); !f.empty()) s.filter = f;
  return s;
}

void WriteFileWindowSettings(const std::string& suffix, const FileWindowSettings& s) {
  std::string pos = std::to_string(s.height) + " " + std::to_string(s.width) + " " + std::to_string(s.left.value_or(0)) +
                    " " + std::to_string(s.top.value_or(0));
  WriteIniString(kSection, "WindowPosition" + suffix, pos);
  if (s.columns) {
    const auto& c = *s.columns;
    WriteIniString(kSection, "Columns" + suffix,
                   std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]) + " " +
                       std::to_string(c[3]));
  }
  if (s.sortColumn) WriteIniString(kSection, "SortCol" + suffix, std::to_string(*s.sortColumn));
  WriteIniString(kSection, "SortDrct" + suffix, s.forward ? "1" : "0");
}

void WriteFileWindowFilter(const std::string& suffix, const std::string& filter) {
  WriteIniString(kSection, "Filter" + suffix, filter);
}

std::string FileWindowSuffix(int number) { return number <= 1 ? std::string() : std::to_string(number); }

std::string FileWindowCaptionEnd(int number) { return number <= 1 ? std::string() : ":" + std::to_string(number); }

std::optional<int> FileWindowNumbers::Take() {
  if (Count() >= kMaxFileWindows) return std::nullopt;
  int n = 1;
  for (int u : used_) {
    if (u != n) break;
    ++n;
  }
  used_.insert(std::lower_bound(used_.begin(), used_.end(), n), n);
  return n;
}

void FileWindowNumbers::Release(int number) {
  auto it = std::find(used_.begin(), used_.end(), number);
  if (it != used_.end()) used_.erase(it);
}

}  // namespace nuvel
