// Every file of a folder tree: caches and history folders that belong wholly to their
// application.
#pragma once
#include <string>
#include <vector>

#include "items/ItemHandlers.h"

// One file finding (Kind "文件") per file anywhere below the folder, depth first, files
// scheduled for deletion at restart left out. Junctions, symbolic links and other reparse
// points inside the tree are not entered: they lead out of it (or back into it), and what
// lies there is not this application's. Returns true when the user asked to stop, which
// ends every level of the walk.
bool ScanFolderTree(TItemScan& scan, const std::string& folder);

// The same, leaving out files whose lower-cased name is one of excludedLower (lower-case
// names such as "index.dat").
bool ScanFolderTree(TItemScan& scan, const std::string& folder, const std::vector<std::string>& excludedLower);
