#pragma once
// The catalogue as the search window's tree: the root, the five
// collections, and the rows of every group whose first file is present.
// Node 0 is the root; children are kept in catalogue order.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "textsearch/catalogue.h"

namespace nuvel {

struct CatalogueNode {
  std::string caption;                  // system bytes
  const TCatalogueEntry* entry = nullptr;  // none for the root and the collections
  int parent = -1;
  std::vector<int> children;
};

struct CatalogueTree {
  std::vector<CatalogueNode> nodes;
  // The nodes in tree order (each node before its children), the root first.
  std::vector<int> TreeOrder() const;
  // The node at `item` in tree order (the root is item 0); -1 past the end.
  int Item(int item) const;
};

// Builds the tree with captions in English or Hebrew. The Bavli's orders
// appear when Bavli\Zeroim\GBrochos.nvw is a file; each order's tractates
// when its first file is; RambamMT, Tosefto and Yerushalmi when their first
// file is; the Tanach's books always. `isFile` answers for a catalogue path.
CatalogueTree BuildCatalogueTree(bool english, const std::function<bool(std::string_view)>& isFile);

}  // namespace nuvel
