#pragma once
// The facts of every entry under a folder that change when a file is
// written, replaced, added or removed: its size, modification time, inode (a
// file replaced by rename gets a new one) and mode. Two trees compare equal
// only when nothing under the folder was written.
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>

namespace nuvel::test {

using FileFacts = std::tuple<uintmax_t, int64_t, ino_t, mode_t>;

inline std::map<std::string, FileFacts> FileTreeOf(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::map<std::string, FileFacts> tree;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    struct stat st {};
    if (::lstat(entry.path().c_str(), &st) != 0) continue;
    const int64_t mtime = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    tree[fs::relative(entry.path(), folder).string()] = {
        S_ISREG(st.st_mode) ? static_cast<uintmax_t>(st.st_size) : 0, mtime, st.st_ino, st.st_mode};
  }
  return tree;
}

// Takes writing away from everyone on the folder and everything under it
// (chmod -R a-w) while it lives; gives the owner writing back at its end, so
// the test's folders can be removed.
class WritingTakenAway {
 public:
  explicit WritingTakenAway(std::filesystem::path folder) : folder_(std::move(folder)) {
    Change(std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
               std::filesystem::perms::others_write,
           std::filesystem::perm_options::remove);
  }
  ~WritingTakenAway() { Change(std::filesystem::perms::owner_write, std::filesystem::perm_options::add); }
  WritingTakenAway(const WritingTakenAway&) = delete;
  WritingTakenAway& operator=(const WritingTakenAway&) = delete;

 private:
  void Change(std::filesystem::perms perms, std::filesystem::perm_options how) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(folder_, perms, how, ec);
    for (fs::recursive_directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec))
      if (!it->is_symlink()) fs::permissions(it->path(), perms, how, ec);
  }
  std::filesystem::path folder_;
};

}  // namespace nuvel::test
