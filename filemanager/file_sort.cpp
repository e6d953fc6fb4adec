#include "filemanager/file_sort.h"

#include <algorithm>
#include <string_view>

namespace nuvel {

namespace {

int CompareNoCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <class T>
int Three(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareNames(const FileEntry& a, const FileEntry& b) {
  if (int c = CompareNoCase(a.name, b.name)) return c;
  return Three(std::string_view(a.name), std::string_view(b.name));
}

}  // namespace

int CompareFiles(const FileEntry& a, const FileEntry& b, int column) {
  int c = 0;
  switch (column) {
    case kColSize: c = Three(a.size, b.size); break;
    case kColType: c = CompareNoCase(FileTypeText(a.name), FileTypeText(b.name)); break;
    case kColModified: c = Three(a.modifiedNs, b.modifiedNs); break;
    case kColAttr: c = Three(a.Attributes(), b.Attributes()); break;
    default: break;
  }
  return c != 0 ? c : CompareNames(a, b);
}

void SortFiles(std::vector<FileEntry>& files, const SortOrder& order) {
  std::sort(files.begin(), files.end(), [&](const FileEntry& a, const FileEntry& b) {
    const int c = CompareFiles(a, b, order.column);
    return order.forward ? c < 0 : c > 0;
  });
}

}  // namespace nuvel
