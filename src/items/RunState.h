// The run flags of the main window that the scan and clean drivers share. What a handler
// group remembers between its scan and its clean lives with the group.
#pragma once
#include <cstdint>

#include "items/ScanTotals.h"
#include "items/TreeModel.h"

struct TRunState {
  bool Scanning = false;
  bool Cleaning = false;
  bool Stop = false;
  bool OneClick = false;
  bool CleanedOnce = false;
  bool ExpandSwitch = false;  // on while a driver itself expands a node
  TScanTotals Totals;
  TTreeNode* CurrentNode = nullptr;  // the item being processed, painted red while scanning
};
