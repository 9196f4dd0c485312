// The files, or the shortcuts, directly in one folder: recent-file lists, jump lists,
// application histories kept as one file per entry.
#pragma once
#include <string>

#include "items/ItemHandlers.h"

// Mask "*.*": every file directly in the folder (not in sub-folders) is a file finding
// (Kind "文件"). Any other mask ("*"): every ".lnk" file whose target resolves is a
// shortcut finding (Kind "LnkFile"); one without a usable target only when the folder lies
// on the path of the recent-documents folder, where such leftovers are traces too. One
// trailing backslash of the folder is ignored; files scheduled for deletion at restart are
// left out. Returns true when the user asked to stop.
bool ScanFolderFiles(TItemScan& scan, const std::string& folder, const std::string& mask);
