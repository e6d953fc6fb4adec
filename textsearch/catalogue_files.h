#pragma once
// Finds the catalogue's files on disk. The catalogue writes "\" between
// folders and its names in one case, while the user's copy of the texts may
// use any case: each name is matched without regard to ASCII case (an exact
// match first), through one cached scan per folder. The texts may lie in
// more than one Texts folder (the program folder's and the user's): a path
// is looked up in each, first to last.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

class CatalogueFiles {
 public:
  explicit CatalogueFiles(std::filesystem::path textsFolder);
  explicit CatalogueFiles(std::vector<std::filesystem::path> textsFolders);

  const std::vector<std::filesystem::path>& TextsFolders() const { return roots_; }
  // The path on disk of a catalogue path ("Bavli\Zeroim\GBrochos.nvw"), each
  // name matched whatever its case; nothing when a name has no match.
  std::optional<std::filesystem::path> Resolve(std::string_view cataloguePath);
  // Whether the catalogue path names a regular file (a folder does not count).
  bool IsFile(std::string_view cataloguePath);
  // The number of folders read so far.
  int Scans() const { return scans_; }

 private:
  struct Entry {
    std::string name;
    bool directory = false;
    bool regular = false;
  };
  struct Folder {
    std::vector<Entry> entries;  // sorted by name
  };
  const Folder& Scan(const std::filesystem::path& folder);
  const Entry* Find(const Folder& f, std::string_view name) const;
  // Walks the path name by name from the Texts folder `root`; `at` is the
  // path on disk so far and `found` whether every name matched (folders
  // before the last name). The entry of the last name, or null for the Texts
  // folder.
  const Entry* Lookup(const std::filesystem::path& root, std::string_view cataloguePath, std::filesystem::path& at,
                      bool& found);

  std::vector<std::filesystem::path> roots_;
  std::map<std::string, Folder> cache_;
  int scans_ = 0;
};

// The catalogue path with "\" turned into "/".
std::string SlashPath(std::string_view cataloguePath);

}  // namespace nuvel
