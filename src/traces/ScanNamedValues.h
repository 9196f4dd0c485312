// String values of one key under HKEY_CURRENT_USER that hold text: an application's
// remembered names, paths and search words.
#pragma once
#include <string>
#include <vector>

#include "items/ItemHandlers.h"

// One registry finding (caption "HKEY_CURRENT_USER\" + key + "\" + value name) per value
// of the key, in the registry's order, whose string is not empty; the key is opened
// read-only. Returns true when the user asked to stop.
bool ScanNamedValues(TItemScan& scan, const std::string& keyPath);

// The same for the listed value names only, in the list's order.
bool ScanNamedValues(TItemScan& scan, const std::string& keyPath, const std::vector<std::string>& names);
