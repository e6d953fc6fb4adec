#pragma once
// The file list's order: by name or type without regard to case, by size
// as 64-bit numbers, by modification time as timestamps; ascending or
// descending. Equal keys fall back to the name and then to the exact bytes,
// so that "a.txt" and "A.TXT" keep one stable order. A click on the column
// already sorted by turns the direction; a click on another sorts it
// ascending.
#include <vector>

#include "filemanager/file_entry.h"

namespace nuvel {

enum FileColumn : int { kColName = 0, kColSize = 1, kColType = 2, kColModified = 3, kColAttr = 4 };

struct SortOrder {
  int column = kColSize;
  bool forward = true;
  void Click(int clicked) {
    if (clicked == column) {
      forward = !forward;
    } else {
      column = clicked;
      forward = true;
    }
  }
};

// <0, 0 or >0 as `a` comes before, with or after `b` in ascending order.
int CompareFiles(const FileEntry& a, const FileEntry& b, int column);

void SortFiles(std::vector<FileEntry>& files, const SortOrder& order);

}  // namespace nuvel
