// Per-user extension keys (Explorer's FileExts) of extensions Windows does not know, holding
// nothing but possibly an empty "OpenWithList".
#pragma once
#include "items/ItemHandlers.h"

// Scan mode (scan given): one whole-key finding per such key. Delete mode (null): removes
// every such key at once, as the end of a clean does when the class-information registry
// item was cleaned too.
void ScanFileExtHistory(TItemScan* scan);
