// The saved check state of every group and item of the cleaning item tree, section
// "TraceScanOption" of the settings file, keyed by the base caption.
#pragma once
#include <string>

class TTreeModel;

// The saved state of the item, or recommended when the file has none.
bool ReadItemChecked(const std::string& caption, bool recommended);

// "1" when checked, "0" otherwise.
void WriteItemChecked(const std::string& caption, bool checked);

// "IETraceCleanMode" := 0, written with every group of the selection.
void WriteIETraceCleanMode();

// Removes the keys of three Internet Explorer cache choices the program no longer offers.
void DeleteOldIECacheKeys();

// Saves the selection of the tree when the main window closes: each group is "1" only
// when fully checked, each item under its base caption (Kind). Nothing for an empty tree.
void SaveItemSelection(const TTreeModel& tree);
