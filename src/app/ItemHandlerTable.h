// Every handler group of the program registered in one table: the scan driver and the
// clean driver dispatch through it by the item's caption.
#pragma once
#include "items/ItemHandlers.h"
#include "items/RunState.h"
#include "traces/InvalidFiles.h"

void RegisterItemHandlers(THandlerTable& table, TRunState& state, TInvalidFilesSlot& invalidFiles);
