// The run flags and marks of the main window that the scan and clean drivers share.
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
  bool IEFormsCleared = false;
  bool IEPasswordsCleared = false;
  // Set during a scan once Firefox or Chrome was found not running.
  bool FirefoxFree = false;
  // Internet Explorer or a browser on its engine ran when the scan started.
  bool IEBrowserRunning = false;
  bool ChromeFree = false;
  int32_t RecycleBinCount = 0;
  int64_t RecycleBinSize = 0;
  TScanTotals Totals;
  TTreeNode* CurrentNode = nullptr;  // the item being processed, painted red while scanning
};
