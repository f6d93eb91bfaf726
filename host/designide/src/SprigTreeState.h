#pragma once
// Expanded and selected nodes of a sprig tree, kept apart from the nodes so
// that they outlive a rebuild: nodes of components by their component,
// other nodes by the unique names along their path.
#include <string>
#include <unordered_set>

#include "designide/SprigTree.h"

namespace designide {

struct TSprigTree::TState {
  std::unordered_set<const rtl::TPersistent*> ExpandedItems;
  std::unordered_set<std::string> ExpandedPaths;
  const rtl::TPersistent* SelectedItem = nullptr;
  std::string SelectedPath;  // empty: none
};

}  // namespace designide
