#pragma once
// The catalogue of the text collection: five collections of classic Hebrew
// texts, each text a file of the Windows text format (.nvw) under the
// folder "Texts" of the program folder. Rows give the English name, the
// path under "Texts" (with "\" between folders, as the catalogue was
// written) and the Hebrew name in the system's 8-bit set.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

struct TCatalogueEntry {
  std::string english;
  std::string path;
  std::string hebrew;
};

// One array of rows: the collection it belongs to (0 Tanach, 1 Bavli,
// 2 RambamMT, 3 Tosefto, 4 Yerushalmi) and, for the Bavli's orders, the
// index of the order row it lies under (-1 otherwise). The order rows
// themselves are a group whose paths are folders.
struct CatalogueGroup {
  int collection = 0;
  int order = -1;
  bool orderRows = false;
  std::vector<TCatalogueEntry> rows;
};

inline constexpr int kCollectionCount = 5;
// The collection names in English and in Hebrew (system bytes).
std::string_view CollectionName(int collection, bool english);
// The root caption: "Texts" or "טקסטים" (system bytes).
std::string_view CatalogueRootCaption(bool english);
// The name of the collections' folder under the program folder.
inline constexpr std::string_view kTextsFolder = "Texts";

// The eleven arrays in catalogue order: Tanach, the Bavli's order rows,
// the six orders' tractates, RambamMT, Tosefto and Yerushalmi.
const std::vector<CatalogueGroup>& CatalogueGroups();

// A row's caption in the interface language.
inline const std::string& CatalogueCaption(const TCatalogueEntry& e, bool english) {
  return english ? e.english : e.hebrew;
}

}  // namespace nuvel
