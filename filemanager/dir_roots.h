#pragma once
// The roots of the directory tree: "/", the home folder, and the volumes a
// person mounted (removable media, /mnt, network shares), each with the
// kind of drive it is; which root a folder lies on; the chain of folders
// from a root down to a folder, as the tree walks it; and the last folder
// chosen on each root, remembered by the root's path.
#include <map>
#include <string>
#include <vector>

#include "platform/mount_table.h"

namespace nuvel {

struct DirRoot {
  std::string path;     // real case, no trailing "/" except for "/" itself
  std::string caption;  // what the tree shows
  platform::DriveType type = platform::DriveType::Fixed;
  // Remote and removable roots are not looked into until they are opened,
  // and what lies under a remote root is read off the GUI thread.
  bool Lazy() const;
  bool Remote() const { return type == platform::DriveType::Remote; }
};

std::vector<DirRoot> TreeRoots(const std::vector<platform::MountEntry>& table, const std::string& home);

// The root `path` lies on: the one with the longest path that contains it;
// -1 when none does.
int RootOf(const std::vector<DirRoot>& roots, const std::string& path);

// The folders from `root` down to `path`, `root` first and `path` last;
// empty when `path` is not under `root`. Paths are kept as given ("/a/b/"
// and "/a//b" are "/a/b").
std::vector<std::string> FolderChain(const std::string& root, const std::string& path);

// "/a/b/" and "/a//b" as "/a/b"; "" as "".
std::string CleanFolderPath(const std::string& path);

// The last folder chosen on each root.
class RootMemory {
 public:
  void Remember(const std::vector<DirRoot>& roots, const std::string& folder);
  // The remembered folder of `root`, or `root` itself.
  std::string FolderOn(const std::string& root) const;

 private:
  std::map<std::string, std::string> last_;
};

}  // namespace nuvel
