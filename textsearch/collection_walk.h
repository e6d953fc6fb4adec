#pragma once
// The search over the collection: every text under a tree node, from the
// last to the first, is looked up on disk and, when it is a file, searched;
// the progress of the walk is reported as it goes. The caller opens and
// searches each text and keeps the ones with a hit.
#include <filesystem>
#include <functional>
#include <vector>

#include "textsearch/catalogue_files.h"
#include "textsearch/catalogue_tree.h"

namespace nuvel {

struct CollectionWalkEvents {
  // Before each child of the chosen node: its position as a percent.
  std::function<void(int percent)> outerProgress;
  // Before each child of a group deeper down: its position in that group.
  std::function<void(int percent)> innerProgress;
  // A deeper group has been walked.
  std::function<void()> innerDone;
  // Opens and searches the text of `node` at `file`; true on a hit. What it
  // throws ends the walk and passes on.
  std::function<bool(int node, const std::filesystem::path& file)> searchText;
};

struct CollectionWalkResult {
  std::vector<int> hits;  // nodes with a hit, in the order they were searched
  int searched = 0;       // texts found on disk and searched
  int missing = 0;        // texts (or order folders) with no file
};

// The percent of child i (from 0) of `count` children: 100 for a single
// child, else i / (count - 1) x 100 rounded half to even.
int WalkPercent(int i, int count);

// Walks the node: a node with children walks them from the last to the
// first (deeper groups likewise); a node without children is searched as a
// text when its catalogue path names a file, and counted missing otherwise.
CollectionWalkResult WalkCollection(const CatalogueTree& tree, int node, CatalogueFiles& files,
                                    const CollectionWalkEvents& events);

}  // namespace nuvel
