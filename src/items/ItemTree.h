// Building the cleaning item tree from the catalogue and the junk engine, and the
// selection operations of the advanced page on it.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "RubbishCleanApi.h"
#include "items/ItemCatalogue.h"
#include "items/TreeModel.h"

class TCleanWrapper;

// The saved check state of a caption, with the recommended flag as its default.
using TReadItemChecked = std::function<bool(const std::string& caption, bool recommended)>;

// One junk group item and the engine category behind it.
struct TJunkCategoryNode {
  TTreeNode* Node;
  TRubbishItem Category;
};

struct TItemTreeResult {
  // The registry group, or the last group before the junk group where it does not exist.
  TTreeNode* RegistryGroupNode = nullptr;
  TTreeNode* JunkGroupNode = nullptr;
  std::vector<TJunkCategoryNode> JunkCategories;
};

// Clears the tree and builds the catalogue for the system; with readSaved the check
// states come from readChecked, otherwise the recommended items are checked. The junk
// group exists when the engine is available with at least one category.
TItemTreeResult BuildItemTree(TTreeModel& tree, const TCatalogueSystem& system, TCleanWrapper& engine,
                              bool readSaved, const TReadItemChecked& readChecked);

// Every node at every level checked or unchecked.
void SetAllChecked(TTreeModel& tree, bool checked);

// The links under the tree: rebuilt with the defaults, then all, none or the recommended.
enum class TSelectionLink { All, None, Recommended };
TItemTreeResult ApplySelectionLink(TTreeModel& tree, const TCatalogueSystem& system, TCleanWrapper& engine,
                                   TSelectionLink link);
