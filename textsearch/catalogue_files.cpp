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

CatalogueFiles::CatalogueFiles(fs::path textsFolder) : root_(std::move(textsFolder)) {}

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

const CatalogueFiles::Entry* CatalogueFiles::Lookup(std::string_view cataloguePath, fs::path& at, bool& found) {
  const std::string path = SlashPath(cataloguePath);
  at = root_;
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
  fs::path at;
  bool found = false;
  Lookup(cataloguePath, at, found);
  if (!found) return std::nullopt;
  return at;
}

bool CatalogueFiles::IsFile(std::string_view cataloguePath) {
  fs::path at;
  bool found = false;
  const Entry* e = Lookup(cataloguePath, at, found);
  return found && e && e->regular;
}

}  // namespace nuvel
