#pragma once
// The two status lines under the file list: with fewer than two files
// selected, the total of every file ("Total size of files is: " and
// "<bytes>  bytes in  <n>  files"); with two or more, the total of the
// selection; in list view with exactly one file selected, that file's name,
// size and date on the first line and nothing on the second.
#include <string>
#include <vector>

#include "filemanager/file_entry.h"

namespace nuvel {

struct FileListStatus {
  std::string nameSize;
  std::string lablDate;
};

// The words of the lines, in the interface language.
struct StatusWords {
  std::string totalFiles = "Total size of files is: ";
  std::string totalSelected = "Total selected size is: ";
  std::string bytesInFiles = "%s  bytes in  %s  files";
};

FileListStatus StatusOfFiles(const std::vector<FileEntry>& files, const std::vector<int>& selected, bool listView,
                             const StatusWords& words = {});

}  // namespace nuvel
