#include "filemanager/folder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "filemanager/wildcard.h"

namespace nuvel {

namespace {

bool Dots(const char* n) { return n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)); }

void Fill(FileEntry& e, const struct stat& st) {
  e.size = static_cast<uint64_t>(st.st_size);
  e.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  e.readOnly = (st.st_mode & 0222) == 0;
  e.hidden = !e.name.empty() && e.name[0] == '.';
}

class Dir {
 public:
  explicit Dir(const std::string& folder) : d_(opendir(folder.c_str())) {}
  ~Dir() {
    if (d_) closedir(d_);
  }
  Dir(const Dir&) = delete;
  Dir& operator=(const Dir&) = delete;
  DIR* get() const { return d_; }

 private:
  DIR* d_;
};

bool IsFolderEntry(int dfd, const dirent* de) {
  if (de->d_type == DT_DIR) return true;
  if (de->d_type != DT_LNK && de->d_type != DT_UNKNOWN) return false;
  struct stat st;
  return fstatat(dfd, de->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

bool LessFolderName(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace

FolderListing ListFiles(const std::string& folder, std::string_view masks) {
  FolderListing out;
  Dir dir(folder);
  if (!dir.get()) {
    out.error = errno;
    return out;
  }
  const int dfd = dirfd(dir.get());
  while (dirent* de = readdir(dir.get())) {
    if (de->d_name[0] == '.') continue;  // hidden, "." and ".."
    if (de->d_type != DT_REG && de->d_type != DT_LNK && de->d_type != DT_UNKNOWN) continue;
    if (!MatchesAnyMask(de->d_name, masks)) continue;
    struct stat st;
    if (fstatat(dfd, de->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode)) continue;
    FileEntry e;
    e.name = de->d_name;
    Fill(e, st);
    out.files.push_back(std::move(e));
  }
  return out;
}

SubfolderListing ListSubfolders(const std::string& folder) {
  SubfolderListing out;
  Dir dir(folder);
  if (!dir.get()) {
    out.error = errno;
    return out;
  }
  const int dfd = dirfd(dir.get());
  while (dirent* de = readdir(dir.get())) {
    if (Dots(de->d_name)) continue;
    if (IsFolderEntry(dfd, de)) out.names.emplace_back(de->d_name);
  }
  std::sort(out.names.begin(), out.names.end(), LessFolderName);
  return out;
}

bool HasSubfolder(const std::string& folder) {
  Dir dir(folder);
  if (!dir.get()) return false;
  const int dfd = dirfd(dir.get());
  while (dirent* de = readdir(dir.get())) {
    if (!Dots(de->d_name) && IsFolderEntry(dfd, de)) return true;
  }
  return false;
}

bool LookUpFile(const std::string& path, FileEntry& entry) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const size_t slash = path.rfind('/');
  entry.name = slash == std::string::npos ? path : path.substr(slash + 1);
  Fill(entry, st);
  return true;
}

}  // namespace nuvel
