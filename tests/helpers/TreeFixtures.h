// Small helpers for tests that build the cleaning item tree.
#pragma once
#include <string>

#include "items/ItemCatalogue.h"
#include "items/TreeModel.h"

inline TCatalogueSystem CatalogueSystem(int major, int minor, const char* name, bool wow64 = false,
                                        bool server = false) {
  TCatalogueSystem s;
  s.MajorVersion = major;
  s.MinorVersion = minor;
  s.OSName = name;
  s.IsWow64 = wow64;
  s.IsServer = server;
  return s;
}

inline TCatalogueSystem Windows7() { return CatalogueSystem(6, 1, "7"); }

// The first node (any level) whose base caption is kind.
inline TTreeNode* Find(TTreeModel& tree, const std::string& kind) {
  for (TTreeNode* n = tree.GetFirst(); n; n = tree.GetNext(n))
    if (n->Data.Kind == kind) return n;
  return nullptr;
}
