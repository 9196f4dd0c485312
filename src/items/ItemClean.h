// How a handler group cleans what its items found: removers registered by the key of the
// findings they remove, and the few items that act of their own (a recycle bin, a
// clipboard, a browser's stores). The clean driver walks the tree and hands each item's
// checked findings to the removers registered for them; it knows no group's tags.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/RegistryKeyPath.h"
#include "items/Column4TreeData.h"
#include "items/TreeModel.h"
#include "system/RemoveOutcome.h"

// A registry finding names a registry root in Root; every other finding is told by its
// Kind alone.
inline bool IsRegistryFinding(const Column4TreeData& d) { return core::NamesRegistryRoot(d.Root); }

// What a remover is registered for: registry findings apart from the others, then Kind.
struct TFindingKey {
  bool Registry = false;
  std::string Kind;
  bool operator<(const TFindingKey& o) const { return std::tie(Registry, Kind) < std::tie(o.Registry, o.Kind); }
};
inline TFindingKey FindingKeyOf(const Column4TreeData& d) { return {IsRegistryFinding(d), d.Kind.str()}; }

// What the window lends to a clean.
struct TCleanServices {
  HWND Owner = nullptr;  // owner of the shell's and the clipboard's calls
  std::function<void(const std::string& path)> ReportUndeletedFile;  // left for the restart
};

// One remover's share of an item: its checked findings of the remover's key, in tree
// order. The remover answers with one outcome per finding, in the same order.
struct TRemoval {
  const TCleanServices& Services;
  TTreeNode* Item;
  std::vector<const Column4TreeData*> Findings;
  std::vector<TRemoveOutcome> Outcomes;
};
using TFindingRemover = std::function<void(TRemoval&)>;
using TRemovers = std::map<TFindingKey, TFindingRemover>;

// The clean of one item, besides the removal of its findings by their removers.
struct TItemCleaner {
  TRemovers Removers;
  // The counting pass: what the item is about to remove when it is checked or mixed
  // (selected); empty function: its checked findings. Also called for an item that is
  // not selected, which then removes nothing and forgets what its scan counted.
  std::function<int32_t(const TTreeNode* item, bool selected)> Count;
  // Runs first when the item is cleaned; an outcome is counted, none means it did nothing.
  std::function<std::optional<TRemoveOutcome>(const TCleanServices&, TTreeNode* item)> Act;
  // Act stands for the item's findings (they are no entries of their own): they are not
  // removed one by one, and once Act gave an outcome they leave the tree and the item
  // gets its plain caption back.
  bool ActOnly = false;
  // Runs after every item was cleaned, when this one was: cleaned holds the Kinds of the
  // items this clean processed.
  std::function<void(TTreeModel& tree, const std::set<std::string>& cleaned)> AfterWalk;
};
