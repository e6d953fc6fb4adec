#include "filemanager/file_list_status.h"

#include "ui/message_format.h"

namespace nuvel {

FileListStatus StatusOfFiles(const std::vector<FileEntry>& files, const std::vector<int>& selected, bool listView,
                             const StatusWords& words) {
  FileListStatus s;
  if (listView && selected.size() == 1 && selected[0] >= 0 && selected[0] < static_cast<int>(files.size())) {
    const FileEntry& f = files[static_cast<size_t>(selected[0])];
    s.nameSize = f.name + "  " + SizeText(f.size) + "  " + ModifiedText(f.modifiedNs);
    return s;
  }
  uint64_t total = 0;
  size_t count = 0;
  if (selected.size() < 2) {
    for (const FileEntry& f : files) total += f.size;
    count = files.size();
    s.nameSize = words.totalFiles;
  } else {
    for (int i : selected) {
      if (i < 0 || i >= static_cast<int>(files.size())) continue;
      total += files[static_cast<size_t>(i)].size;
      ++count;
    }
    s.nameSize = words.totalSelected;
  }
  s.lablDate = FormatMessage(words.bytesInFiles, {SizeText(total), SizeText(count)});
  return s;
}

}  // namespace nuvel
