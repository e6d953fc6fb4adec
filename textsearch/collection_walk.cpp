#include "textsearch/collection_walk.h"

#include <cmath>

namespace nuvel {

int WalkPercent(int i, int count) {
  if (count <= 1) return 100;
  return static_cast<int>(std::nearbyint(static_cast<double>(i) / (count - 1) * 100.0));
}

namespace {

struct Walker {
  const CatalogueTree& tree;
  CatalogueFiles& files;
  const CollectionWalkEvents& events;
  CollectionWalkResult result;

  void Leaf(int node) {
    const TCatalogueEntry* e = tree.nodes[static_cast<size_t>(node)].entry;
    if (!e || !files.IsFile(e->path)) {
      ++result.missing;
      return;
    }
    const auto file = files.Resolve(e->path);
    ++result.searched;
    if (events.searchText && events.searchText(node, *file)) result.hits.push_back(node);
  }

  void Branch(int node) {
    const auto& children = tree.nodes[static_cast<size_t>(node)].children;
    const int count = static_cast<int>(children.size());
    for (int i = count - 1; i >= 0; --i) {
      if (events.innerProgress) events.innerProgress(WalkPercent(i, count));
      Visit(children[static_cast<size_t>(i)], false);
    }
    if (events.innerDone) events.innerDone();
  }

  void Visit(int node, bool) {
    if (tree.nodes[static_cast<size_t>(node)].children.empty())
      Leaf(node);
    else
      Branch(node);
  }
};

}  // namespace

CollectionWalkResult WalkCollection(const CatalogueTree& tree, int node, CatalogueFiles& files,
                                    const CollectionWalkEvents& events) {
  Walker w{tree, files, events, {}};
  if (node < 0 || node >= static_cast<int>(tree.nodes.size())) return w.result;
  const auto& children = tree.nodes[static_cast<size_t>(node)].children;
  const int count = static_cast<int>(children.size());
  if (count == 0) {
    w.Leaf(node);
    return w.result;
  }
  for (int i = count - 1; i >= 0; --i) {
    if (events.outerProgress) events.outerProgress(WalkPercent(i, count));
    w.Visit(children[static_cast<size_t>(i)], true);
  }
  return w.result;
}

}  // namespace nuvel
