#include "textsearch/catalogue_files.h"

#include <algorithm>

#include "platform/ascii_case.h"

namespace nuvel {

namespace fs = std::filesystem;

std::string SlashPath(std::string_view cataloguePath) {
  std::string s(cataloguePath);
  std::replace(s.begin(), s.end(), '\\', '/');
  return s;
}

CatalogueFiles::CatalogueFiles(fs::path textsFolder) : roots_{std::move(textsFolder)} {}

CatalogueFiles::CatalogueFiles(std::vector<fs::path> textsFolders) : roots_(std::move(textsFolders)) {}

const CatalogueFiles::Folder& CatalogueFiles::Scan(const fs::path& folder) {
  const std::string key = folder.string();
  if (auto it = cache_.find(key); it != cache_.end()) return it->second;
  ++scans_;
  Folder f;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    Entry e;
    e.name = it->path().filename().string();
    std::error_code sec;
    e.directory = it->is_directory(sec);
    e.regular = it->is_regular_file(sec);
    f.entries.push_back(std::move(e));
  }
  std::sort(f.entries.begin(), f.entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return cache_.emplace(key, std::move(f)).first->second;
}

const CatalogueFiles::Entry* CatalogueFiles::Find(const Folder& f, std::string_view name) const {
  for (const Entry& e : f.entries)
    if (e.name == name) return &e;
  for (const Entry& e : f.entries)
    if (platform::EqualsNoCase(e.name, name)) return &e;
  return nullptr;
}

const CatalogueFiles::Entry* CatalogueFiles::Lookup(const fs::path& root, std::string_view cataloguePath, fs::path& at,
                                                    bool& found) {
  const std::string path = SlashPath(cataloguePath);
  at = root;
  found = false;
  const Entry* e = nullptr;  // null: the Texts folder itself
  size_t start = 0;
  while (start <= path.size()) {
    const size_t slash = std::min(path.find('/', start), path.size());
    const std::string_view name = std::string_view(path).substr(start, slash - start);
    start = slash + 1;
    if (name.empty() || name == ".") continue;
    if (name == ".." || (e && !e->directory)) return nullptr;
    e = Find(Scan(at), name);
    if (!e) return nullptr;
    at /= e->name;
  }
  found = true;
  return e;
}

std::optional<fs::path> CatalogueFiles::Resolve(std::string_view cataloguePath) {
  // A file in a later folder goes before a folder of that name in an earlier one.
  std::optional<fs::path> first;
  for (const fs::path& root : roots_) {
    fs::path at;
    bool found = false;
    const Entry* e = Lookup(root, cataloguePath, at, found);
    if (found && e && e->regular) return at;
    if (found && !first) first = at;
  }
  return first;
}

bool CatalogueFiles::IsFile(std::string_view cataloguePath) {
  for (const fs::path& root : roots_) {
    fs::path at;
    bool found = false;
    const Entry* e = Lookup(root, cataloguePath, at, found);
    if (found && e && e->regular) return true;
  }
  return false;
}

}  // namespace nuvel
