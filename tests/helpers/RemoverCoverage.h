// Every finding a scan put in the tree can be removed: the clean leaves alone a finding
// whose kind no group registered a remover for.
#pragma once
#include <string>
#include <vector>

#include "items/ItemHandlers.h"

// "item: caption (kind)" of each finding without a remover; items whose action stands for
// their findings are left out.
inline std::vector<std::string> FindingsWithoutRemover(const TTreeModel& tree, const THandlerTable& table) {
  std::vector<std::string> missing;
  for (const TTreeNode* group = tree.GetFirst(); group; group = group->NextSibling())
    for (const TTreeNode* item = group->FirstChild(); item; item = item->NextSibling()) {
      const TItemCleaner* cleaner = table.CleanerOf(item);
      if (cleaner && cleaner->ActOnly) continue;
      for (const TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
        if (!table.RemoverFor(item, f->Data))
          missing.push_back(item->Data.Kind.str() + ": " + f->Data.Caption + " (" + f->Data.Kind.str() + ")");
    }
  return missing;
}
