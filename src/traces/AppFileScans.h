// Applications whose traces are files beside the program or in the profile, found through
// their COM servers' folders: EditPlus's combo-box histories, Acrobat Reader's recent
// files and search indexes, Taobao Wangwang's login-name files.
#pragma once
#include "items/ItemHandlers.h"
#include "traces/InvalidFiles.h"

// The four registry lists, then the history files that are there.
void ScanEditPlus(TItemScan& scan);
// Every version's recent-file sub-keys (whole keys) into registry, the search indexes
// (through the finder's mask search) into files.
void ScanAcrobat(TItemScan& registry, TItemScan& files, TFindInvalidFiles& finder);
void ScanAliIM(TItemScan& scan);

void RegisterAppFileHandlers(THandlerTable& table, TInvalidFilesSlot& invalidFiles);
