// The application items whose traces are one or more plain registry lists, one folder of
// files, or leftovers the invalid-file finder looks for.
#pragma once
#include "items/ItemHandlers.h"
#include "traces/InvalidFiles.h"

void RegisterAppHistoryHandlers(THandlerTable& table, TInvalidFilesSlot& invalidFiles);
