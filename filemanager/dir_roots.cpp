#include "filemanager/dir_roots.h"

namespace nuvel {

using platform::DriveType;

bool DirRoot::Lazy() const {
  return type == DriveType::Remote || type == DriveType::Removable || type == DriveType::CdRom ||
         type == DriveType::Unknown;
}

std::string CleanFolderPath(const std::string& path) {
  std::string out;
  out.reserve(path.size());
  for (char c : path) {
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out.push_back(c);
  }
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

std::vector<DirRoot> TreeRoots(const std::vector<platform::MountEntry>& table, const std::string& home) {
  std::vector<DirRoot> roots;
  roots.push_back({"/", "/", DriveType::Fixed});
  const std::string h = CleanFolderPath(home);
  if (!h.empty() && h != "/") roots.push_back({h, h, DriveType::Fixed});
  for (const auto& m : platform::UserVolumes(table, h)) {
    DriveType t = platform::DriveTypeOf(m);
    if (t == DriveType::Fixed && (m.mountPoint.starts_with("/media/") || m.mountPoint.starts_with("/run/media/")))
      t = DriveType::Removable;
    roots.push_back({CleanFolderPath(m.mountPoint), CleanFolderPath(m.mountPoint), t});
  }
  return roots;
}

namespace {

bool Contains(const std::string& root, const std::string& path) {
  if (root == "/") return !path.empty() && path[0] == '/';
  return path == root || (path.size() > root.size() && path.starts_with(root) && path[root.size()] == '/');
}

}  // namespace

int RootOf(const std::vector<DirRoot>& roots, const std::string& path) {
  const std::string p = CleanFolderPath(path);
  int best = -1;
  for (size_t i = 0; i < roots.size(); ++i) {
    if (!Contains(roots[i].path, p)) continue;
    if (best < 0 || roots[i].path.size() > roots[static_cast<size_t>(best)].path.size()) best = static_cast<int>(i);
  }
  return best;
}

std::vector<std::string> FolderChain(const std::string& root, const std::string& path) {
  const std::string r = CleanFolderPath(root);
  const std::string p = CleanFolderPath(path);
  if (!Contains(r, p)) return {};
  std::vector<std::string> chain{r};
  if (p == r) return chain;
  std::string at = r == "/" ? "" : r;
  const std::string rest = p.substr(r == "/" ? 1 : r.size() + 1);
  size_t pos = 0;
  while (pos < rest.size()) {
    size_t slash = rest.find('/', pos);
    if (slash == std::string::npos) slash = rest.size();
    at += "/" + rest.substr(pos, slash - pos);
    chain.push_back(at);
    pos = slash + 1;
  }
  return chain;
}

void RootMemory::Remember(const std::vector<DirRoot>& roots, const std::string& folder) {
  const int r = RootOf(roots, folder);
  if (r >= 0) last_[roots[static_cast<size_t>(r)].path] = CleanFolderPath(folder);
}

std::string RootMemory::FolderOn(const std::string& root) const {
  auto it = last_.find(root);
  return it == last_.end() ? root : it->second;
}

}  // namespace nuvel
