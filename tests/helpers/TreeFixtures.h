// Small helpers for tests that build the cleaning item tree.
#pragma once
#include <string>

#include "items/ItemCatalogue.h"
#include "items/TreeModel.h"

inline TCatalogueSystem Windows7() {
  TCatalogueSystem s;
  s.MajorVersion = 6;
  s.MinorVersion = 1;
  s.OSName = "7";
  return s;
}

// The first node (any level) whose base caption is kind.
inline TTreeNode* Find(TTreeModel& tree, const std::string& kind) {
  for (TTreeNode* n = tree.GetFirst(); n; n = tree.GetNext(n))
    if (n->Data.Kind == kind) return n;
  return nullptr;
}
