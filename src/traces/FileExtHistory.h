// Per-user extension keys (Explorer's FileExts) of extensions Windows does not know, holding
// nothing but possibly an empty "OpenWithList".
#pragma once
#include <string>
#include <vector>

#include "items/ItemHandlers.h"

// Scan mode (scan given): one whole-key finding per such key. Delete mode (null), run at the
// end of a clean that also cleaned the class-information registry item: removes the keys
// that still qualify among checkedKeys, the key paths of the findings the user left checked;
// a key that qualifies but was unchecked, or never shown, stays.
void ScanFileExtHistory(TItemScan* scan, const std::vector<std::string>& checkedKeys = {});
