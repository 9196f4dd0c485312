// The fifteen categories of invalid registry entries, the views each one examines, and
// their entries in the scan driver's handler table.
#pragma once
#include <functional>
#include <vector>

#include "items/ItemHandlers.h"
#include "registry/RegistryRun.h"

enum class TRegistryViews {
  // The default view first, then, on 64-bit Windows only, the 64-bit view.
  Both,
  // One run: the 64-bit view on 64-bit Windows, the only view elsewhere.
  Native,
};

// A category's routine for one view.
using TRegistryCheck = std::function<void(TRegistryRun&)>;

struct TRegistryCategory {
  const char* Caption;  // the item's caption in the cleaning tree
  TRegistryViews Views;
  void (*Check)(TRegistryRun&);  // the routine of one view
};

// The categories in tree order, which is also the scan order.
const std::vector<TRegistryCategory>& RegistryCategories();

// The handler of one category: runs check in its views (both runs add under the category
// and to its one counter; the 64-bit run is left out when the user stopped the scan
// during the first), counted in "项目". An empty check finds nothing, and the category
// still gets its summary.
TItemHandler RegistryCategoryHandler(TRegistryViews views, TRegistryCheck check);

// Registers every category under its caption.
void RegisterRegistryCategories(THandlerTable& handlers);
