#include "textsearch/catalogue_tree.h"

namespace nuvel {

std::vector<int> CatalogueTree::TreeOrder() const {
  std::vector<int> order;
  if (nodes.empty()) return order;
  std::vector<int> stack{0};
  while (!stack.empty()) {
    const int n = stack.back();
    stack.pop_back();
    order.push_back(n);
    const auto& c = nodes[static_cast<size_t>(n)].children;
    for (auto it = c.rbegin(); it != c.rend(); ++it) stack.push_back(*it);
  }
  return order;
}

int CatalogueTree::Item(int item) const {
  const std::vector<int> order = TreeOrder();
  return item >= 0 && item < static_cast<int>(order.size()) ? order[static_cast<size_t>(item)] : -1;
}

namespace {

int Add(CatalogueTree& t, int parent, std::string caption, const TCatalogueEntry* entry) {
  const int n = static_cast<int>(t.nodes.size());
  t.nodes.push_back({std::move(caption), entry, parent, {}});
  if (parent >= 0) t.nodes[static_cast<size_t>(parent)].children.push_back(n);
  return n;
}

void AddRows(CatalogueTree& t, int parent, const CatalogueGroup& g, bool english) {
  for (const TCatalogueEntry& e : g.rows) Add(t, parent, CatalogueCaption(e, english), &e);
}

}  // namespace

CatalogueTree BuildCatalogueTree(bool english, const std::function<bool(std::string_view)>& isFile) {
  CatalogueTree t;
  const int root = Add(t, -1, std::string(CatalogueRootCaption(english)), nullptr);
  int collections[kCollectionCount];
  for (int c = 0; c < kCollectionCount; ++c) collections[c] = Add(t, root, std::string(CollectionName(c, english)), nullptr);

  const std::vector<CatalogueGroup>& groups = CatalogueGroups();
  std::vector<int> orderNodes;
  bool ordersAdded = false;
  for (const CatalogueGroup& g : groups) {
    if (g.collection == 0) {
      AddRows(t, collections[0], g, english);
    } else if (g.orderRows) {
      // The orders stand when the first tractate of the first order is there.
      if (!isFile(groups[2].rows.front().path)) continue;
      ordersAdded = true;
      for (const TCatalogueEntry& e : g.rows) orderNodes.push_back(Add(t, collections[1], CatalogueCaption(e, english), &e));
    } else if (g.order >= 0) {
      if (!ordersAdded || !isFile(g.rows.front().path)) continue;
      AddRows(t, orderNodes[static_cast<size_t>(g.order)], g, english);
    } else if (isFile(g.rows.front().path)) {
      AddRows(t, collections[g.collection], g, english);
    }
  }
  return t;
}

}  // namespace nuvel
